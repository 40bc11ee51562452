// The converter's program: everything happens in RunProgram. The command
// line names files to add, as a file manager hands them over.
#include "app/forms/Program.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return app::RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
