#pragma once

// Qt: the nets and the Faults panel of the Simulated board window.
#include "board/net_faults.h"
#include "window_logic/views/net_view.h"

#include <QGroupBox>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace scanbench {

// The board's named nets side by side: each net's name, an LED lit while
// its receiving end is high, the wire, and under it, in red, the fault the
// window reveals.
class NetStrip : public QWidget {
    Q_OBJECT
public:
    explicit NetStrip(QWidget* parent);
    void ShowNets(std::vector<NetView> nets);
    [[nodiscard]] const std::vector<NetView>& Nets() const { return Shown; }
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<NetView> Shown;
};

// Faults for the board's nets, as the runner's --fault takes them: typed
// ("N3=stuck0, N5+N6=short"), or a mystery board from a seed; "Reveal"
// shows them on the nets. Each choice is passed on with FaultsChosen.
class FaultsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit FaultsPanel(QWidget* parent);

    // The faults in effect and the line that sums them up.
    void ShowChoice(const FaultChoice& choice, const QString& summary);
    // Why the last choice was not taken.
    void ShowProblem(const QString& problem);

    [[nodiscard]] QLineEdit& ChoiceField() const { return *Choice; }
    [[nodiscard]] QPushButton& SetButton() const { return *Set; }
    [[nodiscard]] QPushButton& SeedButton() const { return *NewSeed; }
    [[nodiscard]] QPushButton& RevealButton() const { return *Reveal; }
    [[nodiscard]] QLabel& Summary() const { return *Said; }

signals:
    void FaultsChosen(const FaultChoice& choice);

private:
    void Choose(const QString& text);

    QLineEdit* Choice = nullptr;
    QPushButton* Set = nullptr;
    QPushButton* NewSeed = nullptr;
    QPushButton* Clear = nullptr;
    QPushButton* Reveal = nullptr;
    QLabel* Said = nullptr;
    bool Revealed = false;
};

} // namespace scanbench
