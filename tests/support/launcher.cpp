// Runs PROGRAM, built for another processor, under EMULATOR and hands on the
// name the launcher was started by, which the programs print in their usage
// messages. A script in the program's place would never see that name.
#include <unistd.h>

#include <vector>

int main(int argc, char **argv)
{
    std::vector<const char *> args = {EMULATOR, "-0", argv[0], PROGRAM};
    args.insert(args.end(), argv + 1, argv + argc + 1);
    execvp(args[0], const_cast<char **>(args.data()));
    return 127;
}
