// The cell commands of the table window's context menu that fill or empty
// cells: "Текст", "Данные из справочника", "Данные из файла", "Подменить
// источник данных", "Установить макрос", "Очистить", "Выбрать связанные
// ячейки", and what a double click on a cell does. "Данные из проекта" is in
// ProjectDataBinding.h.
//
// Each command that changes cells records one undo record first and ends with
// the table modified and a full recalculation requested. A command whose
// question or dialog is answered with No or Cancel changes nothing. All return
// whether the table changed.
#pragma once

#include <string>
#include <vector>

#include "core/tables/CellCommandDialogs.h"
#include "core/tables/ProjectSourceList.h"
#include "core/tables/ReportTable.h"

namespace phonotab {

// The cells a command fills: the selected cells inside the table that are not
// covered by a merged neighbour, column by column, top to bottom.
std::vector<CellKey> FillableCells(const ReportTable& table, const TableSelection& selection);

// The selection's top-left cell (from its rectangle, or its cells when the
// rectangle is empty).
CellKey TopLeftCell(const TableSelection& selection);

// "Текст": asks 234 first when a selected cell is bound or holds a formula;
// the text dialog starts with the top-left cell's text; every fillable cell gets
// the text (an empty text removes it) and loses its binding and formula.
bool TextCommand(ReportTable& table, const TableSelection& selection, CellCommandDialogs& dialogs);

// "Данные из справочника": asks 234 first when a selected cell is bound; the
// dialog starts with the top-left cell's formula and returns "#book#index";
// the fillable cells get that formula with the index rising by one per cell.
// A returned text of another form changes nothing.
bool ReferenceBookCommand(ReportTable& table, const TableSelection& selection, CellCommandDialogs& dialogs);

// "Данные из файла": asks 234 first when a selected cell is bound or holds a
// formula; the user picks a data file and, in it, a parameter; the fillable
// cells receive the values of consecutive bands of that mode from the chosen
// band on, as texts "%.6lf", "?" where a value is missing or the bands have
// run out. 414 for a monitoring stream, 312 for a file that cannot be opened.
bool FileDataCommand(ReportTable& table, const TableSelection& selection, DataFileLoader& loader,
                     CellCommandDialogs& dialogs);

// "Подменить источник данных": the selected bound cells are bound to another
// data source of the project, with no value until the next recalculation.
// 244 when the chosen source is not in the project, 397 when its file type or
// work mode differs from that of a source it replaces (nothing changes then).
bool ReplaceSourceCommand(ReportTable& table, const TableSelection& selection, const ProjectSourceList& sources,
                          CellCommandDialogs& dialogs);

// "Установить макрос": an empty (or all blank) text removes the cell's macro,
// any other is stored upper-cased.
bool SetMacroCommand(ReportTable& table, CellKey cell, const std::string& text);

// "Очистить": removes the texts, bindings and formulas of the selected cells;
// macros stay.
bool ClearCommand(ReportTable& table, const TableSelection& selection);

// "Выбрать связанные ячейки": adds to the selection every cell the formula and
// the macro of the given cell name (both ends of a range, not the cells
// between); references outside the table are left out. The selection's
// rectangle grows to hold them. Returns the number of cells added.
int SelectLinkedCells(const ReportTable& table, CellKey cell, TableSelection& selection);

// The cells a formula or macro text names: a letter or two not preceded by a
// letter or digit, an optional "$" before either part, then a row number.
// Data addresses in braces and "#NAME" values are no references.
std::vector<CellKey> ReferencedCells(const std::string& text);

// A double click on a cell: a cell with a macro runs it (with Ctrl held: edits
// it); a bound cell opens "Данные из проекта"; a cell whose formula begins with
// "#" opens "Данные из справочника"; any other the formula dialog.
enum class DoubleClickAction { RunMacro, EditMacro, ProjectData, ReferenceBook, Formula };
DoubleClickAction DoubleClickActionOf(const ReportTable& table, CellKey cell, bool controlHeld);

}  // namespace phonotab
