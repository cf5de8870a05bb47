// The game picker dlgPGN: one row per game of a collection with the values
// of its tags, in file order. The list is a view over the game index, so a
// collection of 30,000 games opens at once.
#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include <array>
#include <vector>

#include "ui/view.h"

class QLabel;
class QPushButton;
class QTreeView;

namespace orvane::ui::qt {

// The game index as a table: 27 columns, each cell the value followed by
// three spaces, as the picker shows it.
class GameIndexModel : public QAbstractTableModel {
public:
    GameIndexModel(const pgn::GameIndex& index, QObject* parent);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const pgn::GameIndex& index_;
};

class dlgPGN : public QDialog {
public:
    dlgPGN(const PickerContent& content, int twipsPerPixel, QWidget* parent);

    // The chosen game (1-based) after OK, -1 when none is selected.
    long SelectedGame() const;

    QLabel* Label1 = nullptr;
    QTreeView* ListView1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each visible column as wide as its widest cell and its header.
    void AutoSizeColumns(const PickerContent& content);

    GameIndexModel* model_ = nullptr;
};

}  // namespace orvane::ui::qt
