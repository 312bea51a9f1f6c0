// SPDX-License-Identifier: GPL-3.0-or-later
// VolumeBar: the vertical volume scroll bar, with its value shown as a share of full volume.
#include "widgets/VolumeBar.h"

#include "widgets/Contrast.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QApplication>
#include <cmath>

namespace tamsel {

namespace {

// Screen readers hear the volume as a percentage, not as the bar's inverted position.
class VolumeAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit VolumeAccessible(VolumeBar* bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return bar()->valueText();
        }
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return bar()->percent(); }
    void setCurrentValue(const QVariant& value) override { bar()->setPercent(value.toInt()); }
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    VolumeBar* bar() const { return static_cast<VolumeBar*>(widget()); }
};

QAccessibleInterface* volumeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(VolumeBar::staticMetaObject.className()) && object != nullptr &&
        object->isWidgetType()) {
        return new VolumeAccessible(static_cast<VolumeBar*>(object));
    }
    return nullptr;
}

QColor mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - share) + b.redF() * share),
                            static_cast<float>(a.greenF() * (1 - share) + b.greenF() * share),
                            static_cast<float>(a.blueF() * (1 - share) + b.blueF() * share));
}

} // namespace

VolumeBar::VolumeBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    static const bool installed = [] {
        QAccessible::installFactory(volumeAccessible);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &VolumeBar::showValue);
    connect(this, &QAbstractSlider::rangeChanged, this, &VolumeBar::showValue);
    applyTheme();
    showValue();
}

int VolumeBar::percent() const {
    const int span = maximum() - minimum();
    if (span <= 0) {
        return 100;
    }
    return static_cast<int>(std::lround(100.0 * (maximum() - value()) / span));
}

void VolumeBar::setPercent(int share) {
    const int span = maximum() - minimum();
    setValue(maximum() - static_cast<int>(std::lround(span * std::clamp(share, 0, 100) / 100.0)));
}

QString VolumeBar::valueText() const {
    return QStringLiteral("%1%").arg(percent());
}

void VolumeBar::showValue() {
    setToolTip(tr("Volume: %1").arg(valueText()));
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, percent());
        QAccessible::updateAccessibility(&event);
    }
}

void VolumeBar::applyTheme() {
    // The track a shade off the window, the handle in the highlight colour at 3:1 against
    // the track (a control's part must be seen), and a ring of the same when focused.
    const QPalette p = QApplication::palette();
    const QColor window = p.color(QPalette::Window);
    const QColor track = mixed(window, p.color(QPalette::WindowText), 0.12);
    const QColor handle = readableOn(p.color(QPalette::Highlight), track, 3.0);
    const QColor ring = readableOn(p.color(QPalette::Highlight), window, 3.0);
    setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: %1; width: 14px; margin: 0; "
                       "border: 2px solid %2; }"
                       "QScrollBar:vertical:focus { border-color: %3; }"
                       "QScrollBar::handle:vertical { background: %4; min-height: 24px; "
                       "border-radius: 4px; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                       "{ background: none; }")
            .arg(track.name(), window.name(), ring.name(), handle.name()));
}

bool VolumeBar::event(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange) {
        applyTheme(); // the desktop changed its theme
    }
    return QScrollBar::event(event);
}

} // namespace tamsel
