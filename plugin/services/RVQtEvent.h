#pragma once
// The pen's way into the tool: an event filter on the host's main window that records the
// pressure, tilt and pointer type of every tablet event in the pen state of its manipulator
// node. It passes every event on unchanged. One lives in each manipulator node, installed
// while the node lives.
#include <QObject>
#include <QPointer>

class QEvent;
class QWidget;
class RavelinManipNode;

class RVQtEvent : public QObject {
public:
    RVQtEvent();
    ~RVQtEvent() override;
    RVQtEvent(const RVQtEvent&) = delete;
    RVQtEvent& operator=(const RVQtEvent&) = delete;

    // The node whose pen state the filter writes; null leaves the target as it was.
    void setTarget(RavelinManipNode* node);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void recordTablet(QEvent* event, bool active);
    void recordMousePress(QEvent* event);

    RavelinManipNode* target_ = nullptr;
    QPointer<QWidget> window_;
};
