#pragma once

#include "PanelModel.h"

#include <functional>

class QMenu;
class QWidget;

// The parts of the tray panel, built from its model: header with the status pill, pause bar, one
// row per reminder kind, footer, and the hairlines between them. The panel rebuilds them whole
// whenever the model changes, so none keeps state of its own.
namespace PanelSections {

QWidget* header(const PanelModel& model, QWidget* parent);
QWidget* pausedBar(const QString& pausedUntil, std::function<void()> resume, QWidget* parent);
QWidget* row(const PanelReminderRow& row, std::function<void(RowAction)> act, QWidget* parent);
// The pause button appears with a menu, History and Settings with an action that opens their
// window once the panel has closed.
QWidget* footer(QMenu* pauseMenu, const std::function<void()>& history,
                const std::function<void()>& settings, QWidget* parent);
QWidget* divider(QWidget* parent);

} // namespace PanelSections
