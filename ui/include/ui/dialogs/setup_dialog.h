#pragma once

// Qt: a dialog of drop-down lists, radio buttons and check boxes.
#include "settings/settings.h"
#include "window_logic/dialogs/setup_pins.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace scanbench {

class UserInteraction;

// The Setup dialog: the port address, the port device and the simulated
// board (a built-in one, or a board file chosen with "Board from file...",
// which refuses a file it cannot use), the pin of every signal, the switches
// Active Mode, Speed Run and Show Z, and the remote_bitbang server's host
// and port. Its controls are loaded from the settings each time it is
// shown, so Cancel drops every edit. OK refuses pin texts that name no
// connector pin, pins used twice and a host or port that is none; otherwise
// it hands the settings on and closes once they are saved.
class SetupDialog : public QDialog {
    Q_OBJECT
public:
    // Puts confirmed settings into effect and saves them; false when saving
    // failed (the dialog then stays open).
    using Confirm = std::function<bool(const Settings&)>;

    // `settings` are those in effect; `shown` is called whenever the dialog
    // is shown or its defaults are loaded (the state diagrams follow every
    // step again).
    SetupDialog(const Settings& settings, std::function<void()> shown, UserInteraction& user,
                Confirm confirm, QWidget* parent);

    // "Load Defaults": the default pins and switches into the controls; the
    // port and its device stay as chosen.
    void LoadDefaults();
    // "OK".
    void accept() override;

    // Pin fields in the order of SetupPinFields.
    [[nodiscard]] QComboBox& PinField(std::size_t field) const { return *Pins[field]; }
    // LPT1, LPT2, LPT3.
    [[nodiscard]] QRadioButton& PortButton(std::size_t lpt) const { return *Lpt[lpt]; }
    [[nodiscard]] QComboBox& DeviceChoice() const { return *Device; }
    [[nodiscard]] QComboBox& BoardChoice() const { return *Board; }
    [[nodiscard]] QLineEdit& RemoteHostField() const { return *RemoteHost; }
    [[nodiscard]] QLineEdit& RemotePortField() const { return *RemotePort; }
    [[nodiscard]] QPushButton& BoardFromFileButton() const { return *FromFile; }
    [[nodiscard]] QCheckBox& ActiveModeBox() const { return *ActiveMode; }
    [[nodiscard]] QCheckBox& SpeedRunBox() const { return *SpeedRun; }
    [[nodiscard]] QRadioButton& ShowZButton() const { return *ShowZ; }
    [[nodiscard]] QRadioButton& ShowValueButton() const { return *ShowValue; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    [[nodiscard]] QWidget* BuildTapGroup(int tap);
    [[nodiscard]] QWidget* BuildSyncGroup();
    [[nodiscard]] QWidget* BuildConnectionGroup();
    [[nodiscard]] QComboBox* NewPinField(std::size_t field, QWidget* parent);
    void Load(const Settings& settings);
    void ShowPins(const SetupPins& pins);
    void FollowDevice();
    void ChooseBoardFile();
    void ShowBoardFile();
    [[nodiscard]] static int BoardIndex(BoardKind kind);

    const Settings& Current;
    std::function<void()> Shown;
    UserInteraction& User;
    Confirm Apply;
    std::array<QComboBox*, SetupPinFields.size()> Pins{};
    std::array<QRadioButton*, 3> Lpt{};
    QComboBox* Device = nullptr;
    QComboBox* Board = nullptr;
    QLineEdit* RemoteHost = nullptr;
    QLineEdit* RemotePort = nullptr;
    QPushButton* FromFile = nullptr;
    std::string BoardFile; // the board file the File entry stands for
    QCheckBox* ActiveMode = nullptr;
    QCheckBox* SpeedRun = nullptr;
    QRadioButton* ShowZ = nullptr;
    QRadioButton* ShowValue = nullptr;
};

} // namespace scanbench
