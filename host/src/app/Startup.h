#pragma once

namespace rvhost {

// Sets the process up as the host runs it (its heap keeps freed memory) and registers
// every room's script commands, once. The program and test fixtures call it before
// running scripts; rooms that offer commands add their registration call here.
void startHost();

} // namespace rvhost
