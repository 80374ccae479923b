#pragma once
#include <ostream>
#include <string>

namespace rvhost::script {

// Where the host's messages go: print and info to one stream, warnings and errors to
// another, as "// Warning: TEXT" and "// Error: TEXT" lines. Tests redirect both.
class Output {
public:
    static std::ostream& out();
    static std::ostream& err();
    // Null restores the process's standard streams.
    static void redirect(std::ostream* out, std::ostream* err);

    static void print(const std::string& text);
    static void warning(const std::string& text);
    static void error(const std::string& text);
    // How many errors have been shown so far (quiet ones included).
    static unsigned long errorCount();

    // While a Quiet lives, warnings and errors are counted but not written.
    class Quiet {
    public:
        Quiet();
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;
    };
};

// Sends both streams to the given ones for the life of the object.
class OutputRedirect {
public:
    OutputRedirect(std::ostream& out, std::ostream& err) { Output::redirect(&out, &err); }
    ~OutputRedirect() { Output::redirect(nullptr, nullptr); }
    OutputRedirect(const OutputRedirect&) = delete;
    OutputRedirect& operator=(const OutputRedirect&) = delete;
};

} // namespace rvhost::script
