// The game picker dlgPGN: one row per game of a collection with the values
// of its tags. The list is a view over the game index, so a collection of
// 30,000 games opens at once. A filter field above the list keeps the rows
// that contain its text, a click on a column header orders the rows by that
// column; the chosen game is always its number in the file.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include <array>
#include <memory>
#include <string>

#include "ui/pickerrows.h"
#include "ui/view.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace orvane::ui::qt {

// The picker's rows as a table: 27 columns, each cell the value followed by
// three spaces, as the picker shows it.
class GameIndexModel : public QAbstractTableModel {
public:
    GameIndexModel(const pgn::GameIndex& index, const PickerRows& rows, QObject* parent);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views that the rows were filtered or ordered anew.
    void BeginChange() { beginResetModel(); }
    void EndChange() { endResetModel(); }

private:
    const pgn::GameIndex& index_;
    const PickerRows& rows_;
};

class dlgPGN : public QDialog {
public:
    dlgPGN(const PickerContent& content, int twipsPerPixel, QWidget* parent);
    ~dlgPGN() override;

    // The size the picker opens with the first time, in pixels at the given
    // twips per pixel.
    static QSize DesignedSize(int twipsPerPixel);

    // The chosen game (its number in the file) after OK, -1 when no row is
    // selected.
    long SelectedGame() const;

    QLabel* Label1 = nullptr;
    QLabel* FilterLabel = nullptr;
    QLineEdit* FilterText = nullptr;
    QTreeView* ListView1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each visible column as wide as its widest cell and its header.
    void AutoSizeColumns(const PickerContent& content);
    void FilterChanged(const QString& text);
    void HeaderClicked(int section);
    // After a filter or an order: the first row is selected and in view.
    void SelectRow(long row);
    void ShowCount();
    void AcceptSelected();

    std::string label_;  // the count text as described, without the filter's count
    std::unique_ptr<PickerRows> rows_;
    GameIndexModel* model_ = nullptr;
};

}  // namespace orvane::ui::qt
