// SPDX-License-Identifier: MIT
#ifndef VELMORA_TESTS_WINDOW_FIND_H_
#define VELMORA_TESTS_WINDOW_FIND_H_

#include <QLineEdit>
#include <QWidget>

// Finds a control the way a screen reader names it ("长 第1行", "合计金额", "清除数据").
template <typename Control = QLineEdit>
Control* FindByAccessibleName(const QWidget& window, const QString& name) {
  for (auto* control : window.findChildren<Control*>()) {
    if (control->accessibleName() == name) return control;
  }
  return nullptr;
}

// Finds a control by its name and, for a control array, its index.
template <typename Control = QWidget>
Control* FindByName(const QWidget& window, const QString& name, int index = -1) {
  for (auto* control : window.findChildren<Control*>(name)) {
    const QVariant control_index = control->property("Index");
    if (index < 0 ? !control_index.isValid() : control_index == index) return control;
  }
  return nullptr;
}

#endif  // VELMORA_TESTS_WINDOW_FIND_H_
