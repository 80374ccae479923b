#pragma once

namespace rvhost {

// Registers every room's script commands, once. The program and test fixtures call it
// before running scripts; rooms that offer commands add their registration call here.
void startHost();

} // namespace rvhost
