#include "ui/automation/ControlProperties.h"

#include "ui/automation/ChartProperties.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPoint>
#include <QProgressBar>
#include <QRadioButton>
#include <QRect>
#include <QRegularExpression>
#include <QSize>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <optional>

namespace automation {
namespace {

using Texts = std::optional<QString>;

// A view that merges bursts of lines into one insert (the log) offers
// flushPendingLines(): read what it holds now, not at its next insert.
void flushPendingLines(const QObject* c)
{
    for (QObject* o = const_cast<QObject*>(c); o != nullptr; o = o->parent()) {
        if (o->metaObject()->indexOfMethod("flushPendingLines()") >= 0) {
            QMetaObject::invokeMethod(o, "flushPendingLines", Qt::DirectConnection);
            return;
        }
    }
}

QString boolText(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

QStringList tabTexts(const QObject* c)
{
    QStringList out;
    if (auto* tw = qobject_cast<const QTabWidget*>(c))
        for (int i = 0; i < tw->count(); ++i)
            out << tw->tabText(i);
    if (auto* tb = qobject_cast<const QTabBar*>(c))
        for (int i = 0; i < tb->count(); ++i)
            out << tb->tabText(i);
    return out;
}

bool isTabs(const QObject* c) { return qobject_cast<const QTabWidget*>(c) || qobject_cast<const QTabBar*>(c); }

int tabIndex(const QObject* c)
{
    if (auto* tw = qobject_cast<const QTabWidget*>(c))
        return tw->currentIndex();
    return qobject_cast<const QTabBar*>(c)->currentIndex();
}

QStringList viewItems(const QAbstractItemView* view)
{
    QStringList out;
    const QAbstractItemModel* m = view->model();
    if (m == nullptr)
        return out;
    for (int r = 0; r < m->rowCount(view->rootIndex()); ++r)
        out << m->index(r, viewColumn(view), view->rootIndex()).data(Qt::DisplayRole).toString();
    return out;
}

Texts readText(const QObject* c)
{
    if (isTabs(c)) {
        const int i = tabIndex(c);
        return i < 0 ? QString() : tabTexts(c).at(i);
    }
    if (auto* cb = qobject_cast<const QComboBox*>(c))
        return cb->currentText();
    if (auto* view = qobject_cast<const QAbstractItemView*>(c))
        return view->currentIndex().isValid()
                   ? view->currentIndex().siblingAtColumn(viewColumn(view)).data(Qt::DisplayRole).toString()
                   : QString();
    if (auto* le = qobject_cast<const QLineEdit*>(c))
        return le->text();
    if (auto* te = qobject_cast<const QTextEdit*>(c))
        return te->toPlainText();
    if (auto* pe = qobject_cast<const QPlainTextEdit*>(c)) {
        flushPendingLines(pe);
        return pe->toPlainText();
    }
    if (auto* label = qobject_cast<const QLabel*>(c))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(c))
        return button->text();
    if (auto* action = qobject_cast<const QAction*>(c))
        return action->text();
    if (auto* group = qobject_cast<const QGroupBox*>(c))
        return group->title();
    if (auto* menu = qobject_cast<const QMenu*>(c))
        return menu->title();
    if (auto* spin = qobject_cast<const QAbstractSpinBox*>(c))
        return spin->text();
    if (auto* w = qobject_cast<const QWidget*>(c); w != nullptr && w->isWindow())
        return w->windowTitle();
    return std::nullopt;
}

std::optional<int> readIndex(const QObject* c)
{
    if (isTabs(c))
        return tabIndex(c);
    if (auto* cb = qobject_cast<const QComboBox*>(c))
        return cb->currentIndex();
    if (auto* view = qobject_cast<const QAbstractItemView*>(c))
        return view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    if (auto* sw = qobject_cast<const QStackedWidget*>(c))
        return sw->currentIndex();
    return std::nullopt;
}

std::optional<QStringList> readItems(const QObject* c)
{
    if (isTabs(c))
        return tabTexts(c);
    if (auto* cb = qobject_cast<const QComboBox*>(c)) {
        QStringList out;
        for (int i = 0; i < cb->count(); ++i)
            out << cb->itemText(i);
        return out;
    }
    if (auto* view = qobject_cast<const QAbstractItemView*>(c))
        return viewItems(view);
    return std::nullopt;
}

std::optional<int> readCount(const QObject* c)
{
    if (auto items = readItems(c))
        return static_cast<int>(items->size());
    if (auto* sw = qobject_cast<const QStackedWidget*>(c))
        return sw->count();
    return std::nullopt;
}

Texts readChecked(const QObject* c)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(c))
        return boolText(button->isChecked());
    if (auto* action = qobject_cast<const QAction*>(c))
        return boolText(action->isChecked());
    if (auto* group = qobject_cast<const QGroupBox*>(c))
        return boolText(group->isChecked());
    if (auto* view = qobject_cast<const QAbstractItemView*>(c)) {
        // A ticked list: the tick of every item, in order.
        QStringList ticks;
        const QAbstractItemModel* m = view->model();
        for (int r = 0; m != nullptr && r < m->rowCount(view->rootIndex()); ++r) {
            const QVariant state = m->index(r, viewColumn(view), view->rootIndex()).data(Qt::CheckStateRole);
            ticks << boolText(state.isValid() && state.toInt() == Qt::Checked);
        }
        return ticks.join(u'|');
    }
    return std::nullopt;
}

Texts readColor(const QObject* c)
{
    auto* w = qobject_cast<const QWidget*>(c);
    if (w == nullptr)
        return std::nullopt;
    // A colour set by style sheet reaches the palette only once the widget is
    // polished, so read the sheet first.
    static const QRegularExpression sheetColor(
        QStringLiteral("(?:^|[;{\\s])color\\s*:\\s*([^;}]+)"));
    const QRegularExpressionMatch m = sheetColor.match(w->styleSheet());
    if (m.hasMatch()) {
        const QColor fromSheet = QColor::fromString(m.captured(1).trimmed());
        if (fromSheet.isValid())
            return fromSheet.name(QColor::HexRgb);
    }
    const_cast<QWidget*>(w)->ensurePolished();
    return w->palette().color(w->foregroundRole()).name(QColor::HexRgb);
}

Texts formatVariant(const QVariant& v, const QMetaProperty* meta)
{
    if (!v.isValid())
        return QString();
    if (meta != nullptr && meta->isEnumType()) {
        const QMetaEnum e = meta->enumerator();
        const QByteArray keys = e.isFlag() ? e.valueToKeys(v.toInt()) : QByteArray(e.valueToKey(v.toInt()));
        return QString::fromLatin1(keys);
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        return boolText(v.toBool());
    case QMetaType::QStringList:
        return v.toStringList().join(u'|');
    case QMetaType::QColor:
        return v.value<QColor>().name(QColor::HexRgb);
    case QMetaType::QSize: {
        const QSize s = v.toSize();
        return QStringLiteral("%1x%2").arg(s.width()).arg(s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = v.toPoint();
        return QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    }
    case QMetaType::QRect: {
        const QRect r = v.toRect();
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    default:
        break;
    }
    if (v.canConvert<QString>())
        return v.toString();
    return std::nullopt;
}

Texts readQtProperty(const QObject* c, const QString& name)
{
    const QByteArray key = name.toLatin1();
    const int index = c->metaObject()->indexOfProperty(key.constData());
    if (index >= 0) {
        const QMetaProperty meta = c->metaObject()->property(index);
        return formatVariant(meta.read(c), &meta);
    }
    if (c->dynamicPropertyNames().contains(key))
        return formatVariant(c->property(key.constData()), nullptr);
    return std::nullopt;
}

Texts readNamed(QObject* c, const QString& p)
{
    if (p == u"text")
        return readText(c);
    if (p == u"index") {
        if (auto i = readIndex(c))
            return QString::number(*i);
        return std::nullopt;
    }
    if (p == u"count") {
        if (auto n = readCount(c))
            return QString::number(*n);
        return std::nullopt;
    }
    if (p == u"items") {
        if (auto items = readItems(c))
            return items->join(u'|');
        return std::nullopt;
    }
    if (p == u"tabs") {
        if (isTabs(c))
            return tabTexts(c).join(u'|');
        return std::nullopt;
    }
    if (p == u"checked")
        return readChecked(c);
    if (p == u"enabled") {
        if (auto* w = qobject_cast<QWidget*>(c))
            return boolText(w->isEnabled());
        if (auto* a = qobject_cast<QAction*>(c))
            return boolText(a->isEnabled());
        return std::nullopt;
    }
    if (p == u"visible") {
        if (auto* w = qobject_cast<QWidget*>(c))
            return boolText(w->isVisible());
        if (auto* a = qobject_cast<QAction*>(c))
            return boolText(a->isVisible());
        return std::nullopt;
    }
    if (p == u"color")
        return readColor(c);
    return readQtProperty(c, p);
}

}  // namespace

int viewColumn(const QAbstractItemView* view)
{
    if (auto* lv = qobject_cast<const QListView*>(view))
        return lv->modelColumn();
    return 0;
}

QString principalProperty(const QObject* c)
{
    if (isChart(c))
        return QStringLiteral("series");
    if (isTabs(c))
        return QStringLiteral("text");
    if (qobject_cast<const QComboBox*>(c) || qobject_cast<const QAbstractItemView*>(c) ||
        qobject_cast<const QStackedWidget*>(c))
        return QStringLiteral("index");
    if (auto* button = qobject_cast<const QAbstractButton*>(c))
        return button->isCheckable() ? QStringLiteral("checked") : QStringLiteral("text");
    if (auto* action = qobject_cast<const QAction*>(c))
        return action->isCheckable() ? QStringLiteral("checked") : QStringLiteral("enabled");
    if (auto* group = qobject_cast<const QGroupBox*>(c))
        return group->isCheckable() ? QStringLiteral("checked") : QStringLiteral("text");
    if (qobject_cast<const QAbstractSlider*>(c) || qobject_cast<const QSpinBox*>(c) ||
        qobject_cast<const QDoubleSpinBox*>(c) || qobject_cast<const QProgressBar*>(c))
        return QStringLiteral("value");
    if (qobject_cast<const QLineEdit*>(c) || qobject_cast<const QTextEdit*>(c) ||
        qobject_cast<const QPlainTextEdit*>(c) || qobject_cast<const QLabel*>(c) ||
        qobject_cast<const QAbstractSpinBox*>(c))
        return QStringLiteral("text");
    if (auto* w = qobject_cast<const QWidget*>(c); w != nullptr && w->isWindow())
        return QStringLiteral("windowTitle");
    return QStringLiteral("enabled");
}

PropertyValue readProperty(QObject* control, const QString& property)
{
    PropertyValue result;
    result.property = property.isEmpty() ? principalProperty(control) : property;
    if (std::optional<ChartReading> chart = readChartProperty(control, result.property)) {
        result.value = chart->value;
        result.error = chart->error;
        return result;
    }
    if (Texts value = readNamed(control, result.property))
        result.value = *value;
    else
        result.error = QStringLiteral("'%1' has no property %2")
                           .arg(control->objectName(), result.property);
    return result;
}

}  // namespace automation
