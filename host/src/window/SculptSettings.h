#pragma once
#include <string>

namespace rvhost::window {

// The sculpt settings a person changes most, as the window's panel shows them. They live in
// option variables (the tool's own); a change writes the variable and then edits the
// current tool with its context command, which makes the tool read its settings again.
struct SculptSettings {
    static constexpr int kModeCount = 9;
    static constexpr double kMinRadius = 0.001;
    static constexpr double kMaxRadius = 1000.0;

    int mode = 0;
    double radius = 20.0;
    double value = 1.0;
    double spacing = 1.0;
    bool mirror[3] = {false, false, false};
    bool mask = false;
    bool realtime = false;

    // The option variables' values; a setting whose variable does not exist keeps the
    // tool's default above.
    static SculptSettings load();
    // Writes every setting to its variable (radius clamped to its range, mode to a known
    // one) and has the current tool reload them. False when the context edit failed.
    bool store() const;

    // The radius grown (factor > 1) or shrunk, kept within its range.
    void scaleRadius(double factor);
    // "Displace  radius 2.5  value 0.35": what the status line shows.
    std::string statusText() const;

    static const char* modeName(int mode);
};

// Edits the current tool with its context command and no flags, so it reloads its settings;
// does nothing while the built-in context is current. False when the edit failed.
bool reloadCurrentTool();

} // namespace rvhost::window
