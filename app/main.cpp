// The converter's program: everything happens in RunProgram.
#include "app/forms/Program.h"

int main()
{
    return app::RunProgram();
}
