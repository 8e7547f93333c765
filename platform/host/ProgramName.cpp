#include "platform/host/ProgramName.h"

#include <utility>

namespace platform {

namespace {

std::string& Name()
{
    static std::string name = "vessarine";
    return name;
}

}

void SetProgramName(std::string name)
{
    Name() = std::move(name);
}

std::string const& ProgramName()
{
    return Name();
}

}
