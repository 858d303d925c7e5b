// The rows a Qt list view shows, top to bottom, as the user reads them.
#pragma once

#include <QAbstractItemModel>
#include <QListView>
#include <QStringList>

namespace testing_support {

inline QStringList ListItems(const QListView* list) {
  QStringList items;
  const QAbstractItemModel* model = list->model();
  for (int i = 0; i < model->rowCount(); ++i) items << model->index(i, 0).data().toString();
  return items;
}

}  // namespace testing_support
