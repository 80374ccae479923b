#include "window/SculptPanel.h"

#include "window/SculptSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace rvhost::window {

namespace {

QDoubleSpinBox* numberBox(double low, double high, double step) {
    auto* box = new QDoubleSpinBox;
    box->setRange(low, high);
    box->setDecimals(3);
    box->setSingleStep(step);
    // Typing "1.5" must not store 1, then 1.5: only finished edits count.
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

SculptPanel::SculptPanel(QWidget* parent) : QWidget(parent) {
    mode_ = new QComboBox;
    for (int mode = 0; mode < SculptSettings::kModeCount; ++mode)
        mode_->addItem(SculptSettings::modeName(mode));
    radius_ = numberBox(SculptSettings::kMinRadius, SculptSettings::kMaxRadius, 0.1);
    value_ = numberBox(-1000.0, 1000.0, 0.05);
    spacing_ = numberBox(0.001, 100.0, 0.05);
    auto* mirrors = new QHBoxLayout;
    const char* axes[3] = {"X", "Y", "Z"};
    for (int axis = 0; axis < 3; ++axis) {
        mirror_[axis] = new QCheckBox(axes[axis]);
        mirrors->addWidget(mirror_[axis]);
    }
    mask_ = new QCheckBox("use mask");
    realtime_ = new QCheckBox("realtime update");

    auto* form = new QFormLayout(this);
    form->addRow("Mode", mode_);
    form->addRow("Radius", radius_);
    form->addRow("Value", value_);
    form->addRow("Spacing", spacing_);
    form->addRow("Mirror", mirrors);
    form->addRow(mask_);
    form->addRow(realtime_);

    refresh();
    connect(mode_, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { store(); });
    for (QDoubleSpinBox* box : {radius_, value_, spacing_})
        connect(box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this,
                [this] { store(); });
    for (QCheckBox* box : {mirror_[0], mirror_[1], mirror_[2], mask_, realtime_})
        connect(box, &QCheckBox::toggled, this, [this] { store(); });
}

void SculptPanel::refresh() {
    const SculptSettings s = SculptSettings::load();
    const QSignalBlocker blocks[] = {
        QSignalBlocker(mode_),      QSignalBlocker(radius_),    QSignalBlocker(value_),
        QSignalBlocker(spacing_),   QSignalBlocker(mask_),      QSignalBlocker(realtime_),
        QSignalBlocker(mirror_[0]), QSignalBlocker(mirror_[1]), QSignalBlocker(mirror_[2])};
    mode_->setCurrentIndex(s.mode >= 0 && s.mode < SculptSettings::kModeCount ? s.mode : 0);
    radius_->setValue(s.radius);
    value_->setValue(s.value);
    spacing_->setValue(s.spacing);
    for (int axis = 0; axis < 3; ++axis)
        mirror_[axis]->setChecked(s.mirror[axis]);
    mask_->setChecked(s.mask);
    realtime_->setChecked(s.realtime);
}

SculptSettings SculptPanel::fromControls() const {
    SculptSettings s;
    s.mode = mode_->currentIndex();
    s.radius = radius_->value();
    s.value = value_->value();
    s.spacing = spacing_->value();
    for (int axis = 0; axis < 3; ++axis)
        s.mirror[axis] = mirror_[axis]->isChecked();
    s.mask = mask_->isChecked();
    s.realtime = realtime_->isChecked();
    return s;
}

void SculptPanel::store() {
    fromControls().store();
    if (changed) changed();
}

} // namespace rvhost::window
