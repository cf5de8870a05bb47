#include "ui/qt/dlgpgn.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

// The picker's size when it first opens, in twips: the list, with the filter
// field above it and the count and the buttons below.
constexpr int DesignWidth = 11640;
constexpr int DesignHeight = 6630;

}  // namespace

GameIndexModel::GameIndexModel(const pgn::GameIndex& index, const PickerRows& rows, QObject* parent)
    : QAbstractTableModel(parent), index_(index), rows_(rows) {}

int GameIndexModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.Count());
}

int GameIndexModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : pgn::IndexColumns; }

QVariant GameIndexModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const std::string_view cell = index_.Cell(rows_.GameAt(index.row()), index.column() + 1);
    return ShowText(std::string(cell)) + CellTail;
}

QVariant GameIndexModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= pgn::IndexColumns)
        return {};
    const std::string_view header = pgn::IndexHeaders[At(section)];
    return QString::fromLatin1(header.data(), static_cast<qsizetype>(header.size()));
}

QSize dlgPGN::DesignedSize(int twipsPerPixel) {
    return {ToPixels(DesignWidth, twipsPerPixel), ToPixels(DesignHeight, twipsPerPixel)};
}

dlgPGN::dlgPGN(const PickerContent& content, int twipsPerPixel, QWidget* parent)
    : QDialog(parent), label_(content.Label) {
    const int tpp = twipsPerPixel;
    setObjectName(QStringLiteral("dlgPGN"));
    setWindowTitle(ShowText(content.Caption));
    setSizeGripEnabled(true);

    FilterLabel = new QLabel(QStringLiteral("&Filter:"), this);
    FilterLabel->setObjectName(QStringLiteral("FilterLabel"));
    FilterText = new QLineEdit(this);
    FilterText->setObjectName(QStringLiteral("FilterText"));
    FilterText->setClearButtonEnabled(true);
    FilterLabel->setBuddy(FilterText);
    FilterText->installEventFilter(this);

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
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* header = ListView1->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (content.Index != nullptr) {
        rows_ = std::make_unique<PickerRows>(*content.Index, content.Visible);
        model_ = new GameIndexModel(*content.Index, *rows_, this);
        ListView1->setModel(model_);
    }
    ListView1->installEventFilter(this);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    OKButton->setDefault(true);
    OKButton->setAutoDefault(true);
    for (QPushButton* button : {OKButton, CancelButton})
        button->setMinimumSize(ToPixels(1215, tpp), std::max(ToPixels(375, tpp), button->sizeHint().height()));

    // The filter above the list, the count and the buttons below it; the
    // list takes what the window gains or loses.
    const int gap = ToPixels(120, tpp);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(FilterLabel);
    filterRow->addWidget(FilterText, 1);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(Label1, 1);
    bottomRow->addSpacing(gap);
    bottomRow->addWidget(OKButton);
    bottomRow->addSpacing(ToPixels(210, tpp));
    bottomRow->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setSpacing(gap);
    layout->addLayout(filterRow);
    layout->addWidget(ListView1, 1);
    layout->addLayout(bottomRow);
    setMinimumSize(ToPixels(DesignWidth / 2, tpp), ToPixels(DesignHeight / 2, tpp));
    resize(DesignedSize(tpp).expandedTo(minimumSizeHint()));

    connect(OKButton, &QPushButton::clicked, this, &dlgPGN::AcceptSelected);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) AcceptSelected();
    });
    FilterText->setFocus();

    if (model_ == nullptr) {
        OKButton->setEnabled(false);
        return;
    }
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OKButton->setEnabled(ListView1->selectionModel()->hasSelection()); });
    connect(FilterText, &QLineEdit::textChanged, this, &dlgPGN::FilterChanged);
    connect(header, &QHeaderView::sectionClicked, this, &dlgPGN::HeaderClicked);
    AutoSizeColumns(content);

    // The preselected game, or else the first, is selected and in view.
    const long rows = rows_->Count();
    const long preselected = content.Selected >= 1 && content.Selected <= rows ? rows_->RowOf(content.Selected) : -1;
    SelectRow(preselected >= 0 ? preselected : 0);
    if (preselected >= 0)
        ListView1->scrollTo(model_->index(static_cast<int>(preselected), 0), QAbstractItemView::PositionAtCenter);
    OKButton->setEnabled(rows > 0);
}

dlgPGN::~dlgPGN() = default;

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
    const long game = rows_->GameAt(rows.first().row());
    return game >= 1 ? game : -1;
}

void dlgPGN::AcceptSelected() {
    if (SelectedGame() >= 1) accept();
}

void dlgPGN::SelectRow(long row) {
    if (model_ == nullptr || row < 0 || row >= rows_->Count()) {
        if (ListView1->selectionModel() != nullptr) ListView1->selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(static_cast<int>(row), 0);
    ListView1->selectionModel()->setCurrentIndex(index,
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ListView1->scrollTo(index, QAbstractItemView::EnsureVisible);
}

void dlgPGN::ShowCount() {
    QString text = ShowText(label_);
    if (!rows_->Filter().empty()) text += QStringLiteral("   (%1 shown)").arg(rows_->Count());
    Label1->setText(text);
}

void dlgPGN::FilterChanged(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    model_->BeginChange();
    rows_->SetFilter(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    model_->EndChange();
    SelectRow(0);
    OKButton->setEnabled(rows_->Count() > 0);
    ShowCount();
}

void dlgPGN::HeaderClicked(int section) {
    // A first click orders ascending, the next one on the same column
    // descending, and so on.
    const int column = section + 1;
    const bool descending = rows_->SortColumn() == column && !rows_->Descending();
    model_->BeginChange();
    rows_->SortBy(column, descending);
    model_->EndChange();
    QHeaderView* header = ListView1->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(section, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    SelectRow(0);
}

bool dlgPGN::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter in the list is OK, as everywhere else in the dialog.
        if (watched == ListView1 && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            AcceptSelected();
            return true;
        }
        // In the filter field the keys that walk a list walk the list; the
        // field keeps the focus.
        if (watched == FilterText) {
            switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown: QCoreApplication::sendEvent(ListView1, event); return true;
            default: break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace orvane::ui::qt
