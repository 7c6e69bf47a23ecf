#include "support/ToolRun.h"

#include <QProcess>
#include <QStringList>

namespace morvane::testing {

ToolRun runTool(const std::string& program, const std::vector<std::string>& args)
{
    QStringList arguments;
    for (const auto& arg : args) arguments << QString::fromStdString(arg);
    QProcess process;
    process.start(QString::fromStdString(program), arguments);
    ToolRun run;
    if (!process.waitForStarted() || !process.waitForFinished(30000)) {
        run.err = "could not run " + program;
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

}  // namespace morvane::testing
