#include "platform/host/StartFailure.h"

#include "platform/Utf.h"

#include <cctype>
#include <cerrno>
#include <cstring>

namespace platform {

StartFailure::StartFailure(std::u16string_view file, StartProblem problem, int error)
    : file_(file)
    , problem_(problem)
    , error_(error)
{
}

StartFailure StartFailure::FromError(std::u16string_view file, int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return { file, StartProblem::NoSuchFile };
    case EACCES:
    case EPERM:
        return { file, StartProblem::AccessDenied };
    case ENOEXEC:
        return { file, StartProblem::NotAProgram };
    default:
        return { file, StartProblem::Other, error };
    }
}

namespace {

// The reasons of the known problems, in the box and on standard error.
struct Reason {
    StartProblem problem;
    std::u16string_view box;
    std::string_view line;
};

constexpr Reason kReasons[] = {
    { StartProblem::NoSuchFile, u"Die Datei wurde nicht gefunden.", "no such file" },
    { StartProblem::AccessDenied, u"Zugriff verweigert.", "permission denied" },
    { StartProblem::NotAProgram, u"Die Datei ist kein ausführbares Programm.", "not an executable program" },
    { StartProblem::InterpreterMissing, u"Das Programm, das diese Datei ausführt, wurde nicht gefunden.",
        "the program that runs it was not found" },
    { StartProblem::NoOpener, u"Kein Programm zum Öffnen dieser Datei.", "no program to open it with" },
};

Reason const* KnownReason(StartProblem problem)
{
    for (Reason const& reason : kReasons) {
        if (reason.problem == problem)
            return &reason;
    }
    return nullptr;
}

}

std::u16string StartFailure::BoxText() const
{
    Reason const* known = KnownReason(problem_);
    std::u16string reason = known ? std::u16string(known->box)
                                  : u"Das System hat den Start abgelehnt (Fehler " + FromUtf8(std::to_string(error_)) + u").";
    return u"„" + file_ + u"“ kann nicht geöffnet werden:\n" + reason;
}

std::string StartFailure::Line(std::string_view program) const
{
    Reason const* known = KnownReason(problem_);
    std::string reason = known ? std::string(known->line) : std::strerror(error_);
    if (!known)
        reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
    return std::string(program) + ": cannot start \"" + ToUtf8(file_) + "\": " + reason + "\n";
}

}
