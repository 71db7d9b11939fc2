// tarvel-cli: batch analysis, header listings, parameter corrections and synthetic data
// without a screen.
#include "cli_common.h"
#include "tarvel_version.h"
#include "usage.h"
#ifdef TARVEL_WITH_REPORT
#include "render_command.h"
#include "report_command.h"
#endif

#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

int main(int argc, char** argv) {
    using namespace tarvel::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        (args.empty() ? std::cerr : std::cout) << usage();
        return args.empty() ? kBadUsage : kSuccess;
    }
    if (args[0] == "--version") {
        std::cout << "tarvel-cli " << tarvel::kVersion << '\n';
        return kSuccess;
    }
    std::string command = args[0];
    args.erase(args.begin());
    // Asked before the command reads its options, so "--help" is never taken
    // for a path or an option's value.
    if (asksForHelp(args)) {
        if (std::optional<std::string> text = commandUsage(command)) {
            std::cout << *text;
            return kSuccess;
        }
    }
    try {
        if (command == "analyze")
            return runAnalyzeCommand(args);
        if (command == "info")
            return runInfoCommand(args);
        if (command == "diff")
            return runDiffCommand(args);
        if (command == "set")
            return runSetCommand(args);
        if (command == "simulate")
            return runSimulateCommand(args);
#ifdef TARVEL_WITH_REPORT
        if (command == "report")
            return tarvel::runReportCommand(args);
#endif
#ifdef TARVEL_WITH_RENDER
        if (command == "render")
            return tarvel::runRenderCommand(args);
#endif
        throw std::invalid_argument("unknown command '" + command + "'");
    } catch (const std::invalid_argument& error) {
        std::cerr << "tarvel-cli: " << error.what() << '\n' << usage();
        return kBadUsage;
    } catch (const InputError& error) {
        std::cerr << "tarvel-cli: " << error.message << '\n';
        return kBadInput;
    } catch (const std::exception& error) {
        std::cerr << "tarvel-cli: " << error.what() << '\n';
        return kBadInput;
    }
}
