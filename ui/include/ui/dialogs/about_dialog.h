#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;

namespace scanbench {

class PictureView;

// Double-clicks on the About dialog's chip picture that reveal the hidden
// "Labels" item of the Windows menu, counted in the main window's AboutClicks.
inline constexpr std::int32_t AboutUnlockClicks = 5;

// The contact address of the About dialog.
inline constexpr const char* ContactAddress = "scanbench@example.org";

// "About Scanbench": program name and heading in the interface language,
// version, release date and contact line. Double-clicks on the chip picture
// count in `aboutClicks`, which showing the dialog sets to 0.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(QWidget* parent, std::int32_t& aboutClicks);

    // The language whose texts the dialog shows next time.
    void SetLanguage(std::uint8_t language) { Language = language; }

    [[nodiscard]] QLabel& ProgramName() const { return *ProgramNameLabel; }
    [[nodiscard]] QLabel& Heading() const { return *HeadingLabel; }
    [[nodiscard]] QLabel& ContactLine() const { return *ContactLabel; }
    [[nodiscard]] QWidget& ChipPicture() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::int32_t& Clicks;
    std::uint8_t Language = 0;
    QLabel* ProgramNameLabel = nullptr;
    QLabel* HeadingLabel = nullptr;
    QLabel* ContactLabel = nullptr;
    PictureView* ChipView = nullptr;
};

} // namespace scanbench
