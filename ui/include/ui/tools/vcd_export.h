#pragma once

#include <QString>

class QWidget;

namespace scanbench {

class Engine;

// Writes the played events of the engine's store as a value change dump
// (see VcdWriter) to `path`. Each event carries the TAP states recorded when
// it was played, so the dump written afterwards equals the one a run records
// while it plays. Empty on success, otherwise the message for the user.
[[nodiscard]] QString WriteVcdFile(const QString& path, const Engine& engine);

// "Export VCD...": asks for a file and writes the dump to it; a failure is
// shown in a message box.
void ExportVcd(QWidget* parent, const Engine& engine);

} // namespace scanbench
