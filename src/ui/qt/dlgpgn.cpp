#include "ui/qt/dlgpgn.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>

#include <algorithm>

#include "common/index.h"
#include "ui/qt/programtext.h"
#include "ui/qt/windowlayout.h"

namespace orvane::ui::qt {

namespace {

// The three spaces every cell carries after its value.
const QString CellTail = QStringLiteral("   ");

}  // namespace

GameIndexModel::GameIndexModel(const pgn::GameIndex& index, QObject* parent)
    : QAbstractTableModel(parent), index_(index) {}

int GameIndexModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(index_.Count);
}

int GameIndexModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : pgn::IndexColumns; }

QVariant GameIndexModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const std::string_view cell = index_.Cell(index.row() + 1, index.column() + 1);
    return ShowText(std::string(cell)) + CellTail;
}

QVariant GameIndexModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= pgn::IndexColumns)
        return {};
    const std::string_view header = pgn::IndexHeaders[At(section)];
    return QString::fromLatin1(header.data(), static_cast<qsizetype>(header.size()));
}

dlgPGN::dlgPGN(const PickerContent& content, int twipsPerPixel, QWidget* parent) : QDialog(parent) {
    const int tpp = twipsPerPixel;
    setObjectName(QStringLiteral("dlgPGN"));
    setWindowTitle(ShowText(content.Caption));

    Label1 = new QLabel(ShowText(content.Label), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);

    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSortingEnabled(false);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setTextElideMode(Qt::ElideNone);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (content.Index != nullptr) {
        model_ = new GameIndexModel(*content.Index, this);
        ListView1->setModel(model_);
    }
    ListView1->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);

    PlaceControl(ListView1, {120, 120, 11400, 5400}, tpp);
    PlaceControl(Label1, {120, 5640, 6000, 285}, tpp);
    PlaceControl(OKButton, {8880, 5640, 1215, 375}, tpp);
    PlaceControl(CancelButton, {10305, 5640, 1215, 375}, tpp);
    FixDialogSize(this, 11640, 6135, tpp);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) accept();
    });

    if (model_ == nullptr) return;
    AutoSizeColumns(content);

    // The preselected game, or else the first, is selected and in view.
    const long rows = content.Index->Count;
    const long selected = content.Selected >= 1 && content.Selected <= rows ? content.Selected : (rows > 0 ? 1 : 0);
    if (selected > 0) {
        const QModelIndex row = model_->index(static_cast<int>(selected - 1), 0);
        ListView1->selectionModel()->setCurrentIndex(row,
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ListView1->scrollTo(
            row, content.Selected >= 1 ? QAbstractItemView::PositionAtCenter : QAbstractItemView::EnsureVisible);
    }
    ListView1->setFocus();
}

void dlgPGN::AutoSizeColumns(const PickerContent& content) {
    const pgn::GameIndex& index = *content.Index;
    const QFontMetrics cellMetrics(ListView1->font());
    const QFontMetrics headerMetrics(ListView1->header()->font());

    // The width of a plain ASCII text is the sum of its characters'
    // advances; other texts are measured whole.
    std::array<int, 128> advance{};
    for (int c = 32; c < 127; ++c) advance[At(c)] = cellMetrics.horizontalAdvance(QChar(c));
    const int tail = cellMetrics.horizontalAdvance(CellTail);
    const auto widthOf = [&](std::string_view text) {
        int width = 0;
        for (const char ch : text) {
            const auto byte = static_cast<unsigned char>(ch);
            if (byte < 32 || byte >= 127) return cellMetrics.horizontalAdvance(ShowText(std::string(text)));
            width += advance[byte];
        }
        return width;
    };

    // Room the view's style puts around a cell's and a header's text.
    const int cellMargin =
        2 * (ListView1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, ListView1) + 1) + 4;
    const int headerMargin = 2 * ListView1->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, ListView1) + 8;

    QHeaderView* header = ListView1->header();
    for (int k = 1; k <= pgn::IndexColumns; ++k) {
        const int column = k - 1;
        if (!content.Visible[At(column)]) {
            header->setSectionHidden(column, true);
            continue;
        }
        int widest = 0;
        for (long game = 1; game <= index.Count; ++game) {
            const std::string_view cell = index.Cell(game, k);
            if (!cell.empty()) widest = std::max(widest, widthOf(cell));
        }
        const std::string_view name = pgn::IndexHeaders[At(column)];
        const int headerWidth =
            headerMetrics.horizontalAdvance(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
        header->resizeSection(column, std::max(widest + tail + cellMargin, headerWidth + headerMargin));
    }
}

long dlgPGN::SelectedGame() const {
    if (model_ == nullptr) return -1;
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    if (rows.isEmpty()) return -1;
    return rows.first().row() + 1;
}

bool dlgPGN::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the list is OK, as everywhere else in the dialog.
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvane::ui::qt
