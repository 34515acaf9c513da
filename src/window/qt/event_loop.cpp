// SPDX-License-Identifier: MIT
#include "window/qt/event_loop.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "sheet/calculate.h"
#include "sheet/number_text.h"
#include "window/qt/cell_box.h"
#include "window/qt/form1.h"
#include "window/qt/qt_texts.h"
#include "window/texts.h"

namespace window::qt {
namespace {

void ShowOverflowMessage(QWidget* parent, const QString& message) {
  QMessageBox::warning(parent, parent->windowTitle(), message);
}

}  // namespace

EventLoop::EventLoop(Form1& form, sheet::CellSheet& sheet)
    : form_(form), sheet_(sheet), report_overflow_(ShowOverflowMessage) {
  connect(&form_, &Form1::BackgroundClicked, this, &EventLoop::Form_Click);
  connect(form_.Command1(), &QPushButton::clicked, this, &EventLoop::Command1_Click);
  connect(&form_, &Form1::QueryUnload, this, &EventLoop::Form_QueryUnload);
  // At once, inside the event that moved the focus: a key typed ahead, already queued
  // behind a Tab, must reach a box whose text is selected. Nothing runs while idle.
  connect(qApp, &QApplication::focusChanged, this, &EventLoop::ApplyFocusRule,
          Qt::DirectConnection);
}

int EventLoop::Form_Load() {
  const QRect screen = form_.screen()->availableGeometry();
  form_.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, form_.size(), screen));
  form_.show();
  return FocusSelectLoop();
}

int EventLoop::FocusSelectLoop() {
  // The first pass selects the start box, as every later focus change does.
  QMetaObject::invokeMethod(this, &EventLoop::ApplyFocusRule, Qt::QueuedConnection);
  return QApplication::exec();
}

void EventLoop::ApplyFocusRule() {
  auto* box = qobject_cast<CellBox*>(form_.focusWidget());
  if (box == nullptr || !focus_rule_.Arrive(box->objectName().toStdString())) return;
  box->SelectOnArrival();
}

void EventLoop::Form_Click() {
  try {
    sheet::Calculate(sheet_);
  } catch (const sheet::OverflowError&) {
    report_overflow_(&form_, ToQString(texts::kOverflowMessage));
  }
}

void EventLoop::Command1_Click() { sheet_.ClearAll(); }

void EventLoop::Form_QueryUnload() { QCoreApplication::exit(0); }

}  // namespace window::qt
