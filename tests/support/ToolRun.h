#pragma once

#include <QProcess>
#include <QStringList>

#include <string>
#include <vector>

namespace morvane::testing {

// What a command-line program printed and how it ended.
struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args (no shell), waits for it and collects its output.
inline ToolRun runTool(const std::string& program, const std::vector<std::string>& args)
{
    QStringList arguments;
    for (const auto& arg : args) arguments << QString::fromStdString(arg);
    QProcess process;
    process.start(QString::fromStdString(program), arguments);
    if (!process.waitForStarted() || !process.waitForFinished(30000)) return {-1, "", "could not run " + program};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

}  // namespace morvane::testing
