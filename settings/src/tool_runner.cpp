#include "settings/tool_runner.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace scanbench {

bool RunToolIfInstalled(const std::string& tool, const std::vector<std::string>& arguments,
                        std::chrono::milliseconds limit) {
    const QString program = QStandardPaths::findExecutable(QString::fromStdString(tool));
    if (program.isEmpty()) {
        return false;
    }
    QStringList qtArguments;
    for (const std::string& argument : arguments) {
        qtArguments.append(QString::fromStdString(argument));
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, qtArguments);
    if (!process.waitForStarted(static_cast<int>(limit.count()))) {
        return false;
    }
    if (!process.waitForFinished(static_cast<int>(limit.count()))) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace scanbench
