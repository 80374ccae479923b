#pragma once
#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace rvhost::window {

struct SculptSettings;

// The window's side panel: mode, radius, value, spacing, mirror X/Y/Z, mask and realtime
// update. Every edit stores all of them (SculptSettings::store), so the tool reloads them.
class SculptPanel : public QWidget {
public:
    explicit SculptPanel(QWidget* parent = nullptr);

    // Shows the option variables' current values without writing them back.
    void refresh();
    // Called after an edit has been stored.
    std::function<void()> changed;

private:
    void store();
    SculptSettings fromControls() const;

    QComboBox* mode_ = nullptr;
    QDoubleSpinBox* radius_ = nullptr;
    QDoubleSpinBox* value_ = nullptr;
    QDoubleSpinBox* spacing_ = nullptr;
    QCheckBox* mirror_[3] = {nullptr, nullptr, nullptr};
    QCheckBox* mask_ = nullptr;
    QCheckBox* realtime_ = nullptr;
};

} // namespace rvhost::window
