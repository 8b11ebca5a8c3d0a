#include "ui/views/pin_panel.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace scanbench {

namespace {

constexpr std::array<const char*, 7> Headers{"Chip",  "Pin",   "Cells", "Dir",
                                             "Level", "Latch", "On it"};

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// All rows, one per pin.
class PinTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Show(std::vector<PinRow> rows) {
        const bool sameRows =
            rows.size() == All.size() &&
            std::equal(rows.begin(), rows.end(), All.begin(), [](const PinRow& a, const PinRow& b) {
                return a.Chip == b.Chip && a.Pin == b.Pin && a.ChipName == b.ChipName;
            });
        if (!sameRows) {
            beginResetModel();
            All = std::move(rows);
            endResetModel();
            return;
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!(rows[i] == All[i])) {
                All[i] = std::move(rows[i]);
                const int row = static_cast<int>(i);
                emit dataChanged(index(row, 0), index(row, columnCount() - 1));
            }
        }
    }
    [[nodiscard]] const std::vector<PinRow>& Rows() const { return All; }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(All.size());
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(Headers.size());
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < static_cast<int>(Headers.size())) {
            return QString::fromLatin1(Headers[static_cast<std::size_t>(section)]);
        }
        return {};
    }
    [[nodiscard]] QVariant data(const QModelIndex& at, int role) const override {
        if (!at.isValid() || at.row() >= rowCount()) {
            return {};
        }
        const PinRow& row = All[static_cast<std::size_t>(at.row())];
        switch (role) {
        case Qt::DisplayRole: {
            const std::array<const std::string*, 7> texts{&row.ChipName,  &row.Name,  &row.Cells,
                                                          &row.Direction, &row.Level, &row.Latch,
                                                          &row.Attached};
            return Text(*texts[static_cast<std::size_t>(at.column())]);
        }
        case Qt::ToolTipRole:
            if (row.Switch) {
                return QStringLiteral("Click to flip the switch");
            }
            if (row.Settable) {
                return QStringLiteral("Click to set its update latch for the next scan");
            }
            return {};
        case Qt::TextAlignmentRole:
            return at.column() >= 3 && at.column() <= 5
                       ? QVariant(Qt::AlignCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
        }
    }

private:
    std::vector<PinRow> All;
};

// The rows the filter text lets through.
class PinFilterModel final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetText(const QString& text) {
        Wanted = text.toStdString();
        invalidateFilter();
    }

protected:
    [[nodiscard]] bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        (void)parent;
        const auto& rows = static_cast<const PinTableModel*>(sourceModel())->Rows();
        return PinMatches(rows[static_cast<std::size_t>(row)], Wanted);
    }

private:
    std::string Wanted;
};

PinPanel::PinPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PinPanel"));
    Pins = new PinTableModel(this);
    Filtered = new PinFilterModel(this);
    Filtered->setSourceModel(Pins);

    auto* title = new QLabel(QStringLiteral("Pins"), this);
    title->setObjectName(QStringLiteral("PinsTitle"));
    FilterField = new QLineEdit(this);
    FilterField->setObjectName(QStringLiteral("PinFilter"));
    FilterField->setPlaceholderText(QStringLiteral("Filter by name, e.g. U1.D or PA1"));
    FilterField->setClearButtonEnabled(true);
    connect(FilterField, &QLineEdit::textChanged, this,
            [this](const QString& text) { Filtered->SetText(text); });

    List = new QTableView(this);
    List->setObjectName(QStringLiteral("PinList"));
    List->setModel(Filtered);
    List->setSelectionMode(QAbstractItemView::NoSelection);
    List->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List->setAlternatingRowColors(true);
    List->setWordWrap(false);
    List->verticalHeader()->hide();
    List->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    List->verticalHeader()->setDefaultSectionSize(List->fontMetrics().height() + 6);
    QHeaderView* columns = List->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::ResizeToContents);
    columns->setSectionResizeMode(2, QHeaderView::Interactive);
    columns->setStretchLastSection(true);
    connect(List, &QTableView::clicked, this, [this](const QModelIndex& at) {
        const QModelIndex source = Filtered->mapToSource(at);
        if (source.isValid()) {
            emit RowClicked(Pins->Rows()[static_cast<std::size_t>(source.row())]);
        }
    });

    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addWidget(FilterField, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->addLayout(top);
    layout->addWidget(List, 1);
}

void PinPanel::ShowPins(std::vector<PinRow> rows) {
    const bool fresh = rows.size() != Pins->Rows().size() ||
                       (!rows.empty() && rows.front().ChipName != Pins->Rows().front().ChipName);
    Pins->Show(std::move(rows));
    if (fresh) {
        // As wide as the longest list of cells, so the column keeps its
        // width whatever part of the list shows.
        int widest = List->horizontalHeader()->sectionSizeHint(2);
        for (const PinRow& row : Pins->Rows()) {
            widest = std::max(widest, List->fontMetrics().horizontalAdvance(Text(row.Cells)));
        }
        List->horizontalHeader()->resizeSection(2, widest +
                                                       2 * List->fontMetrics().averageCharWidth());
    }
}

const std::vector<PinRow>& PinPanel::Rows() const {
    return Pins->Rows();
}

int PinPanel::ShownCount() const {
    return Filtered->rowCount();
}

const PinRow& PinPanel::ShownRow(int shown) const {
    return Pins
        ->Rows()[static_cast<std::size_t>(Filtered->mapToSource(Filtered->index(shown, 0)).row())];
}

} // namespace scanbench
