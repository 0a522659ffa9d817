#pragma once

#include <gtest/gtest.h>
#include <QListWidget>
#include <QStringList>

namespace tavrel::test {

// The lines of a list control (a file list), in order.
inline QStringList listLines(QWidget* screen, const QString& name) {
    QStringList lines;
    auto* list = screen->findChild<QListWidget*>(name);
    EXPECT_NE(list, nullptr) << "no list " << name.toStdString();
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        lines << list->item(i)->text();
    }
    return lines;
}

// Chooses the line of a list as a click does (current and selected).
inline void chooseLine(QWidget* screen, const QString& name, const QString& line) {
    auto* list = screen->findChild<QListWidget*>(name);
    ASSERT_NE(list, nullptr) << "no list " << name.toStdString();
    const QList<QListWidgetItem*> found = list->findItems(line, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << line.toStdString();
    list->setCurrentItem(found.first());
}

}  // namespace tavrel::test
