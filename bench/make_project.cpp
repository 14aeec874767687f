// make_project COUNT OUT.xml: writes a generated project of COUNT sequences
// (the intersection example repeated) for measuring the program at scale.
#include "uGlobalSettings.h"
#include "uProjectGenerator.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    using namespace corvadel;
    if (argc != 3) {
        std::cerr << "usage: make_project COUNT OUT.xml\n";
        return 2;
    }
    char *end = nullptr;
    const long count = std::strtol(argv[1], &end, 10);
    if (*end != '\0' || count < 1 || count > 100000) {
        std::cerr << "make_project: COUNT must be a whole number from 1 to 100000, not '" << argv[1] << "'\n";
        return 2;
    }
    try {
        const TTARVOParameters parameters;
        TWireConfigurationList project(parameters);
        bench::GenerateProject(project, static_cast<int>(count));
        if (!project.Save(argv[2])) {
            std::cerr << "make_project: cannot write " << argv[2] << "\n";
            return 1;
        }
    } catch (const std::exception &error) {
        std::cerr << "make_project: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
