#pragma once

// Qt: the event list is a top-level QWidget.
#include "engine/feed/view_feed.h"
#include "ui/tools/export_file.h"

#include <QWidget>

#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QPushButton;
class QScrollBar;

namespace scanbench {

class Engine;
class EventRows;
class UserInteraction;

// The event list: the recorded events as fixed-width rows, 14 at a time,
// with a scroll bar over the whole store, and the export of the whole store
// as a text file. Its rows change only when it is shown, on Refresh, when it
// is scrolled and when a reset clears the store; it never changes events.
class EventListWindow final : public QWidget, public ViewListener {
    Q_OBJECT
public:
    EventListWindow(Engine& engine, UserInteraction& user, QWidget* parent);
    ~EventListWindow() override;
    EventListWindow(const EventListWindow&) = delete;
    EventListWindow& operator=(const EventListWindow&) = delete;

    // Refresh: the scroll range follows the store, then the rows.
    void Refresh();
    // Rebuilds the rows from the first row on.
    void RefreshList();
    // Asks for a file and writes the export of the whole store to it.
    void SaveToFile();

    void RefreshView(ViewChanges changes) override;

    // The save dialog's question; tests answer it.
    void SetFileQuestion(std::function<QString(QWidget*, const ExportDialog&)> ask) {
        AskFileName = std::move(ask);
    }

    [[nodiscard]] QStringList Rows() const;
    [[nodiscard]] std::uint32_t FirstRow() const { return First; }
    [[nodiscard]] QScrollBar& ScrollBar() const { return *RowScroll; }
    [[nodiscard]] QPushButton& SaveButton() const { return *SavePushButton; }
    [[nodiscard]] QAction& StayOnTopItem() const { return *StayOnTop; }

protected:
    void showEvent(QShowEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Build();
    void Scrolled(int position);
    void LargeStep(int action);
    void SetStayOnTop(bool on);

    Engine& Eng;
    UserInteraction& User;
    ViewFeed::Subscription Feed;
    std::function<QString(QWidget*, const ExportDialog&)> AskFileName = AskExportFileName;
    std::uint32_t First = 0;
    bool Centred = false;
    bool ChangingFlags = false;

    QLabel* HeaderLabel = nullptr;
    EventRows* RowView = nullptr;
    QScrollBar* RowScroll = nullptr;
    QPushButton* RefreshPushButton = nullptr;
    QPushButton* SavePushButton = nullptr;
    QAction* CloseWindow = nullptr;
    QAction* StayOnTop = nullptr;
};

} // namespace scanbench
