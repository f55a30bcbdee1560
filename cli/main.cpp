#include <QCoreApplication>
#include <iostream>

#include "cli/Commands.h"
#include "rom/FileOps.h"

int main(int argc, char** argv)
{
    dravik::rom::IgnoreFileSizeSignal();
    QCoreApplication app(argc, argv);
    dravik::cli::Args args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return dravik::cli::RunCli(args, std::cout, std::cerr);
}
