#include "ui/dialogs/SettingsBinder.h"

#include "ui/widgets/ColorButton.h"
#include "ui/widgets/FilenameEdit.h"

#include "settings/SettingsTable.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTimeEdit>

#include <memory>
#include <vector>

namespace SettingsBinder {

namespace {

// Single booleans shown as two radio buttons: the button that stands for false.
struct OppositeChoice
{
    std::string_view key;
    const char *control;
};
constexpr OppositeChoice kOpposites[] = {
    {"LonDir", "JvRadioButton8"},
    {"LatDir", "JvRadioButton6"},
    {"ClockType", "RadioButton2"},
    {"RemindWithNotification", "RemindWindow"}};

QString controlName(const SettingKey &key)
{
    return QString::fromLatin1(key.control.data(), static_cast<qsizetype>(key.control.size()));
}

QRadioButton *oppositeOf(QWidget *dialog, const SettingKey &key)
{
    for (const OppositeChoice &opposite : kOpposites) {
        if (opposite.key == key.key)
            return dialog->findChild<QRadioButton *>(QLatin1String(opposite.control));
    }
    return nullptr;
}

// Every dialog key with its control; keys held by the main window are skipped.
template <typename Visitor> void forEachControl(QWidget *dialog, Visitor &&visit)
{
    forEachSetting([&](const SettingKey &key, auto member) {
        if (key.mainWindow || key.control.empty())
            return;
        QWidget *control = dialog->findChild<QWidget *>(controlName(key));
        Q_ASSERT_X(control, "SettingsBinder", "a settings key without its control");
        if (control)
            visit(key, control, member);
    });
}

void show(QWidget *dialog, const SettingKey &key, QWidget *control, bool value)
{
    if (auto *box = qobject_cast<QCheckBox *>(control)) {
        box->setChecked(value);
    } else if (auto *radio = qobject_cast<QRadioButton *>(control)) {
        // The button being unchecked by the group must stay quiet too.
        std::vector<std::unique_ptr<QSignalBlocker>> blockers;
        if (QButtonGroup *group = radio->group()) {
            for (QAbstractButton *button : group->buttons())
                blockers.push_back(std::make_unique<QSignalBlocker>(button));
        }
        if (value) {
            radio->setChecked(true);
        } else if (QRadioButton *opposite = oppositeOf(dialog, key)) {
            const QSignalBlocker block(opposite);
            opposite->setChecked(true);
        }
        // A choice of a group that is off: the choice that is on checks itself.
    }
}

void show(QWidget *, const SettingKey &, QWidget *control, qint32 value)
{
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        spin->setValue(value);
    else if (auto *slider = qobject_cast<QSlider *>(control))
        slider->setValue(value);
}

void show(QWidget *, const SettingKey &, QWidget *control, quint32 value)
{
    if (auto *button = qobject_cast<ColorButton *>(control))
        button->setColour(value);
}

void show(QWidget *, const SettingKey &, QWidget *control, double value)
{
    if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
        spin->setValue(value);
}

void show(QWidget *, const SettingKey &, QWidget *control, const QString &value)
{
    if (auto *fonts = qobject_cast<QFontComboBox *>(control)) {
        fonts->setCurrentFont(QFont(value));
        // A font this system lacks is still named as stored.
        fonts->setEditText(value);
    } else if (auto *file = qobject_cast<FilenameEdit *>(control)) {
        file->setFileName(value);
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setText(value);
    }
}

void show(QWidget *, const SettingKey &, QWidget *control, QTime value)
{
    if (auto *edit = qobject_cast<QTimeEdit *>(control))
        edit->setTime(value);
}

template <typename Member> void bind(QWidget *, const SettingKey &, QWidget *, Settings &, Member) = delete;

void bind(QWidget *, const SettingKey &, QWidget *control, Settings &settings, bool Settings::*member)
{
    if (auto *box = qobject_cast<QCheckBox *>(control)) {
        QObject::connect(box, &QCheckBox::toggled, box, [&settings, member](bool on) { settings.*member = on; });
    } else if (auto *radio = qobject_cast<QRadioButton *>(control)) {
        if (choiceGroupOf(member)) {
            QObject::connect(radio, &QRadioButton::toggled, radio, [&settings, member](bool on) {
                if (on)
                    choose(settings, member);
            });
        } else {
            QObject::connect(radio, &QRadioButton::toggled, radio,
                             [&settings, member](bool on) { settings.*member = on; });
        }
    }
}

void bind(QWidget *, const SettingKey &, QWidget *control, Settings &settings, qint32 Settings::*member)
{
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [&settings, member](int v) { settings.*member = v; });
    else if (auto *slider = qobject_cast<QSlider *>(control))
        QObject::connect(slider, &QSlider::valueChanged, slider, [&settings, member](int v) { settings.*member = v; });
}

void bind(QWidget *, const SettingKey &, QWidget *control, Settings &settings, quint32 Settings::*member)
{
    if (auto *button = qobject_cast<ColorButton *>(control))
        QObject::connect(button, &ColorButton::colourChanged, button,
                         [&settings, member](quint32 colour) { settings.*member = colour; });
}

void bind(QWidget *, const SettingKey &, QWidget *control, Settings &settings, double Settings::*member)
{
    if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
        QObject::connect(spin, &QDoubleSpinBox::valueChanged, spin,
                         [&settings, member](double v) { settings.*member = v; });
}

void bind(QWidget *, const SettingKey &, QWidget *control, Settings &settings, QString Settings::*member)
{
    const auto store = [&settings, member](const QString &text) { settings.*member = text; };
    if (auto *fonts = qobject_cast<QFontComboBox *>(control))
        QObject::connect(fonts, &QFontComboBox::currentFontChanged, fonts,
                         [store](const QFont &font) { store(font.family()); });
    else if (auto *file = qobject_cast<FilenameEdit *>(control))
        QObject::connect(file, &FilenameEdit::fileNameChanged, file, store);
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        QObject::connect(edit, &QLineEdit::textChanged, edit, store);
}

void bind(QWidget *, const SettingKey &, QWidget *control, Settings &settings, QTime Settings::*member)
{
    if (auto *edit = qobject_cast<QTimeEdit *>(control))
        QObject::connect(edit, &QTimeEdit::timeChanged, edit, [&settings, member](QTime t) { settings.*member = t; });
}

} // namespace

void showValues(QWidget *dialog, const Settings &settings)
{
    forEachControl(dialog, [&](const SettingKey &key, QWidget *control, auto member) {
        const QSignalBlocker block(control);
        show(dialog, key, control, settings.*member);
    });
}

void connectControls(QWidget *dialog, Settings &settings)
{
    forEachControl(dialog, [&](const SettingKey &key, QWidget *control, auto member) {
        bind(dialog, key, control, settings, member);
    });
}

void applyRanges(QWidget *dialog)
{
    forEachControl(dialog, [&](const SettingKey &key, QWidget *control, auto) {
        if (auto *spin = qobject_cast<QSpinBox *>(control)) {
            if (key.hasRange())
                spin->setRange(key.minimum, key.maximum);
        } else if (auto *slider = qobject_cast<QSlider *>(control)) {
            if (key.hasRange())
                slider->setRange(key.minimum, key.maximum);
            if (key.step > 0) {
                slider->setSingleStep(static_cast<int>(key.step));
                slider->setPageStep(static_cast<int>(key.step));
                slider->setTickInterval(static_cast<int>(key.step));
            }
        } else if (auto *spin = qobject_cast<QDoubleSpinBox *>(control)) {
            if (key.step > 0)
                spin->setSingleStep(key.step);
        }
    });
}

} // namespace SettingsBinder
