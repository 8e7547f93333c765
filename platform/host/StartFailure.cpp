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

std::u16string StartFailure::BoxText() const
{
    std::u16string reason;
    switch (problem_) {
    case StartProblem::NoSuchFile:
        reason = u"Die Datei wurde nicht gefunden.";
        break;
    case StartProblem::AccessDenied:
        reason = u"Zugriff verweigert.";
        break;
    case StartProblem::NotAProgram:
        reason = u"Die Datei ist kein ausführbares Programm.";
        break;
    case StartProblem::InterpreterMissing:
        reason = u"Das Programm, das diese Datei ausführt, wurde nicht gefunden.";
        break;
    case StartProblem::NoOpener:
        reason = u"Kein Programm zum Öffnen dieser Datei.";
        break;
    case StartProblem::Other:
        reason = u"Das System hat den Start abgelehnt (Fehler " + FromUtf8(std::to_string(error_)) + u").";
        break;
    }
    return u"„" + file_ + u"“ kann nicht geöffnet werden:\n" + reason;
}

std::string StartFailure::Line(std::string_view program) const
{
    std::string reason;
    switch (problem_) {
    case StartProblem::NoSuchFile:
        reason = "no such file";
        break;
    case StartProblem::AccessDenied:
        reason = "permission denied";
        break;
    case StartProblem::NotAProgram:
        reason = "not an executable program";
        break;
    case StartProblem::InterpreterMissing:
        reason = "the program that runs it was not found";
        break;
    case StartProblem::NoOpener:
        reason = "no program to open it with";
        break;
    case StartProblem::Other:
        reason = std::strerror(error_);
        reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
        break;
    }
    return std::string(program) + ": cannot start \"" + ToUtf8(file_) + "\": " + reason + "\n";
}

}
