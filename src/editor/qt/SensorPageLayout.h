#pragma once
// Small helpers the sensor pages share to lay themselves out on the main
// window's page widgets.

#include <QPushButton>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <string>

namespace tavin {

class GridView;

// Single-byte texts of the model as Qt strings and back.
inline QString Latin1(const std::string& s) {
    return QString::fromLatin1(s.data(), int(s.size()));
}

// A named push button with its hint.
QPushButton* NamedButton(QWidget* parent, const char* name, const char* caption,
                         const char* hint = nullptr);

// Puts `content` on `page` as its only child, filling it.
void FillPage(QWidget* page, QWidget* content);

// A grid that shows its "n:" column and no row numbers of its own.
void SetUpSensorGrid(GridView& grid, const char* hint);

// A column and the widest text it must show whole.
struct ColumnSample {
    int column;
    const char* text;
};

// Columns as wide as their contents, never narrower than the widest index
// ("63:") or their samples; a list column leaves room for its arrow.
void FitSensorColumns(GridView& grid, std::initializer_list<ColumnSample> samples);
inline constexpr char kTimeSample[] = "00:00:00";

// Shows the rules again after the table or the firmware changed: fitted
// columns, the Trig column shown or hidden, and the cursor back on the
// first row (at `homeColumn`) when there was none or the table got shorter.
void RefreshSensorGrid(GridView& grid, std::initializer_list<ColumnSample> samples, int trigColumn,
                       bool trigShown, int homeColumn);

// The grid's current data row, -1 when there is none.
int CurrentGridRow(const GridView& grid);

} // namespace tavin
