#include "tables/TableGridView.h"

namespace phonotab {

TableGridView::TableGridView(QWidget* parent) : QAbstractScrollArea(parent) {}

}  // namespace phonotab
