#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QStringList>
#include <QWidget>

// Walks a window's accessible tree as a screen reader would and returns a line for
// every control that can take the keyboard focus, is shown, and has no name to
// announce (object name and role), so a test can print exactly what is missing.
inline void collectUnnamedFocusable(QAccessibleInterface* node, QStringList& unnamed, int depth = 0) {
    if (!node || depth > 64)
        return;
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible && node->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = node->object();
        unnamed << QStringLiteral("%1 (rol %2)")
                       .arg(object ? object->objectName() : QStringLiteral("?"))
                       .arg(int(node->role()));
    }
    for (int i = 0; i < node->childCount(); ++i)
        collectUnnamedFocusable(node->child(i), unnamed, depth + 1);
}

inline QStringList unnamedFocusableControls(QWidget& window) {
    QStringList unnamed;
    collectUnnamedFocusable(QAccessible::queryAccessibleInterface(&window), unnamed);
    return unnamed;
}

// Every focusable control reachable in the tree, by object name: shows the walk reached them.
inline void collectFocusable(QAccessibleInterface* node, QStringList& names, int depth = 0) {
    if (!node || depth > 64)
        return;
    const QAccessible::State state = node->state();
    if (state.focusable && !state.invisible && node->object())
        names << node->object()->objectName();
    for (int i = 0; i < node->childCount(); ++i)
        collectFocusable(node->child(i), names, depth + 1);
}

inline QStringList focusableControls(QWidget& window) {
    QStringList names;
    collectFocusable(QAccessible::queryAccessibleInterface(&window), names);
    return names;
}
