// The main menu's text exports of record files: "Преобразовать .bin в .txt"
// (each chosen file into a text file of its own) and "Объединить .bin в один
// .txt" (all chosen files into one). The dumps are written as long work with
// progress and cancel; a result file is never left half-written.
#pragma once

class QWidget;

namespace phonotab {

class ProjectSession;

void convertToText(ProjectSession& session, QWidget* parent);
void joinToText(ProjectSession& session, QWidget* parent);

}  // namespace phonotab
