#include "ui/tools/session_restart.h"

#include "engine/feed/engine_display.h"
#include "engine/program/breakpoint_flags.h"
#include "fileio/private_file.h"
#include "settings/qt_paths.h"
#include "ui/editor/editor_area.h"
#include "ui/editor/program_editor.h"
#include "ui/editor/program_file_controller.h"
#include "ui/main_window/command_scope.h"
#include "ui/main_window/run_controller.h"
#include "ui/main_window/user_interaction.h"
#include "ui/tools/execute_pace_menu.h"
#include "window_logic/main_window/session_handover.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace scanbench {

namespace {

// A handover holds at most a program the editor can open, with room for
// its breakpoints.
constexpr std::size_t MaxHandoverBytes = std::size_t{64} << 20;

// The editor's text exactly as it stands (no-break spaces kept).
std::string EditorText(const ProgramEditor& editor) {
    QString text = editor.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.toStdString();
}

} // namespace

SessionRestart::SessionRestart(SessionRestartParts parts) : Parts(std::move(parts)) {}

bool SessionRestart::Relaunch() {
    if (!Parts.Launch) {
        return false;
    }
    const CommandScope scope(Parts.Commands);
    SessionHandover handover;
    handover.RunStopped = Parts.Runs.Running();
    handover.Pace = PaceIndex(Parts.Pace.Pace());
    Parts.Runs.StopRun();
    const ProgramEditor& editor = Parts.Area.Editor();
    handover.Text = EditorText(editor);
    if (Parts.Files.Session().ProgNamed()) {
        handover.FileName = Parts.Files.Session().ProgFile();
    }
    handover.Modified = editor.document()->isModified();
    const std::int32_t lines =
        std::min<std::int32_t>(editor.document()->blockCount(), BreakpointFlags::FlagCount);
    for (std::int32_t line = 0; line < lines; ++line) {
        if (Parts.Breakpoints.IsSet(line)) {
            handover.Breakpoints.push_back(line);
        }
    }

    // Made for the user alone (mode 0600): the new process takes only such a file.
    const PrivateFileWrite file = WritePrivateFile(FromQtPath(QDir::tempPath()), HandoverFilePrefix,
                                                   EncodeHandover(handover));
    const bool written = file.Error.empty();
    if (!written || !Parts.Launch({QString::fromUtf8(HandoverOption.data(),
                                                     static_cast<qsizetype>(HandoverOption.size())),
                                   ToQtPath(file.Path)})) {
        if (written) {
            std::error_code ignored;
            std::filesystem::remove(file.Path, ignored);
        }
        Parts.User.ShowError(&Parts.DialogParent,
                             QStringLiteral("Scanbench could not start again at the new zoom "
                                            "(%1). The program stays as it is.")
                                 .arg(written ? QStringLiteral("the program did not start")
                                              : QString::fromStdString(file.Error)));
        return false;
    }
    Parts.CloseWindow();
    return true;
}

bool SessionRestart::TakeHandover(const QString& path) {
    const CommandScope scope(Parts.Commands);
    const QFileInfo info(path);
    const QString tempFolder = QFileInfo(QDir::tempPath()).canonicalFilePath();
    // Anyone may put files into the temporary folder: only one this user
    // made for itself (TakePrivateFile) is believed.
    const RegularFileRead file =
        IsHandoverFileName(info.fileName().toStdString()) &&
                QFileInfo(info.absolutePath()).canonicalFilePath() == tempFolder
            ? TakePrivateFile(FromQtPath(path), MaxHandoverBytes)
            : RegularFileRead{FileReadStatus::NotPrivate, {}, {}, {}};
    if (file.Status == FileReadStatus::NotPrivate || file.Status == FileReadStatus::NotRegular ||
        file.Status == FileReadStatus::Missing) {
        Parts.User.ShowError(
            &Parts.DialogParent,
            QStringLiteral("\"%1\" is not a file Scanbench handed over.").arg(path));
        return false;
    }
    const auto handover =
        file.Status == FileReadStatus::Ok ? DecodeHandover(file.Bytes) : std::nullopt;
    if (!handover) {
        Parts.User.ShowError(
            &Parts.DialogParent,
            QStringLiteral("The program handed over in \"%1\" cannot be read.").arg(path));
        return false;
    }
    Parts.Files.RestoreSession(QString::fromStdString(handover->Text),
                               QString::fromStdString(handover->FileName), handover->Modified);
    BreakpointFlags& flags = Parts.Breakpoints;
    flags.ClearAll();
    for (const std::int32_t line : handover->Breakpoints) {
        flags.Set(line, true);
    }
    Parts.Area.SyncBoxes();
    if (const auto pace = PaceAt(handover->Pace)) {
        Parts.Pace.Choose(*pace);
    }
    if (handover->RunStopped) {
        Parts.Display.ShowStatus(std::string(RunStoppedByZoomText), StatusColour::Purple);
    }
    return true;
}

} // namespace scanbench
