#include "report_command.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args.front() == "report")
        return tarvel::runReportCommand({args.begin() + 1, args.end()});
    return 0;
}
