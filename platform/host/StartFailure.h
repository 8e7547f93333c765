#pragma once

// Why the shell could not start a file, told the way the user meets it: in
// the shell's own German box and in one line on standard error.

#include <string>
#include <string_view>

namespace platform {

enum class StartProblem {
    NoSuchFile,
    AccessDenied,
    NotAProgram,        // executable, but in no format the system runs
    InterpreterMissing, // the program exists; what should run it does not
    NoOpener,           // a document, and no program to open it with
    Other,
};

class StartFailure {
public:
    static constexpr std::u16string_view kBoxCaption = u"Fehler";

    StartFailure(std::u16string_view file, StartProblem problem, int error = 0);
    // From the system's error number.
    static StartFailure FromError(std::u16string_view file, int error);

    StartProblem Problem() const { return problem_; }
    // „FILE“ kann nicht geöffnet werden:\nREASON
    std::u16string BoxText() const;
    // PROGRAM: cannot start "FILE": REASON, with its line end.
    std::string Line(std::string_view program) const;

private:
    std::u16string file_;
    StartProblem problem_;
    int error_;
};

}
