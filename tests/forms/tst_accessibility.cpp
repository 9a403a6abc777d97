// Accessible names and descriptions of the forms' widgets: what screen
// readers announce and what UI automation looks widgets up by. They follow
// the language like every other text.
#include "forms/aboutboxform.h"
#include "forms/deviceupdating.h"
#include "forms/editnetworkconfigurationbase.h"
#include "forms/mainwindowbase.h"

#include <QAccessible>
#include <QDir>
#include <QSet>
#include <QTest>
#include <QTranslator>

#include <memory>

namespace {

// The four forms, built fresh for each case.
std::unique_ptr<QWidget> makeForm(const QString &form)
{
    if (form == QLatin1String("Zol_ClientMainWindowBase"))
        return std::make_unique<Zol_ClientMainWindowBase>();
    if (form == QLatin1String("Edit_Network_ConfigurationBase"))
        return std::make_unique<Edit_Network_ConfigurationBase>();
    if (form == QLatin1String("Device_UpdatingBase"))
        return std::make_unique<Device_UpdatingBase>();
    if (form == QLatin1String("aboutboxformBase"))
        return std::make_unique<aboutboxformBase>();
    return nullptr;
}

struct Named
{
    const char *form; // also the translation context
    const char *widget;
    const char *name; // English accessible name; nullptr: the widget's own text
};

const Named namedWidgets[] = {
    {"Zol_ClientMainWindowBase", "MainList", "Devices"},
    {"Zol_ClientMainWindowBase", "Find_All", "Find All"},
    {"Zol_ClientMainWindowBase", "Edit", "Edit"},
    {"Zol_ClientMainWindowBase", "Exit", "Exit"},
    {"Edit_Network_ConfigurationBase", "Device_Type", "Device Type"},
    {"Edit_Network_ConfigurationBase", "Serial_Number", "Serial Number"},
    {"Edit_Network_ConfigurationBase", "Mac_Address", "MAC Address"},
    {"Edit_Network_ConfigurationBase", "DHCP", "DHCP Enabled"},
    {"Edit_Network_ConfigurationBase", "ResetIP", "Renew Lease"},
    {"Edit_Network_ConfigurationBase", "IP_Address", "IP Address"},
    {"Edit_Network_ConfigurationBase", "Subnet_Mask", "Subnet Mask"},
    {"Edit_Network_ConfigurationBase", "Gateway", "Gateway"},
    {"Edit_Network_ConfigurationBase", "Name", "Name"},
    {"Edit_Network_ConfigurationBase", "Location", "Location"},
    {"Edit_Network_ConfigurationBase", "OK", "OK"},
    {"Edit_Network_ConfigurationBase", "Cancel", "Cancel"},
    {"Device_UpdatingBase", "progressBar1", "Update progress"},
    {"aboutboxformBase", "pixmapLabel2", "ZOL Client picture"},
    {"aboutboxformBase", "versionLabel", nullptr},
    {"aboutboxformBase", "buttonOk", "OK"},
    {"aboutboxformBase", "aboutboxformBase", nullptr},
};

QWidget *findWidget(QWidget *form, const QString &name)
{
    return form->objectName() == name ? form : form->findChild<QWidget *>(name);
}

QString accessibleText(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

private slots:
    void nameAndDescription_data();
    void nameAndDescription();
    void namesAreUniqueInEachForm_data();
    void namesAreUniqueInEachForm();
    void chineseNamesAndDescriptions_data();
    void chineseNamesAndDescriptions();

private:
    void addRows();
};

void tst_Accessibility::addRows()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("name");
    for (const Named &n : namedWidgets) {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(n.form), QLatin1String(n.widget))))
            << QString::fromLatin1(n.form) << QString::fromLatin1(n.widget)
            << (n.name ? QString::fromLatin1(n.name) : QString());
    }
}

void tst_Accessibility::nameAndDescription_data()
{
    addRows();
}

// What assistive technology reads through the accessibility interface, not
// only the widget property.
void tst_Accessibility::nameAndDescription()
{
    QFETCH(QString, form);
    QFETCH(QString, widget);
    QFETCH(QString, name);
    const std::unique_ptr<QWidget> window = makeForm(form);
    QWidget *w = findWidget(window.get(), widget);
    QVERIFY2(w, qPrintable(widget));
    if (!name.isEmpty()) {
        QCOMPARE(w->accessibleName(), name);
        QCOMPARE(accessibleText(w, QAccessible::Name), name);
    } else {
        // Read by its own visible text or title.
        QVERIFY(w->accessibleName().isEmpty());
        QVERIFY(!accessibleText(w, QAccessible::Name).isEmpty());
    }
    QVERIFY2(w->accessibleDescription().size() > 5, qPrintable(w->accessibleDescription()));
    QCOMPARE(accessibleText(w, QAccessible::Description), w->accessibleDescription());
}

void tst_Accessibility::namesAreUniqueInEachForm_data()
{
    QTest::addColumn<QString>("form");
    QTest::newRow("main window") << QStringLiteral("Zol_ClientMainWindowBase");
    QTest::newRow("edit dialog") << QStringLiteral("Edit_Network_ConfigurationBase");
    QTest::newRow("progress dialog") << QStringLiteral("Device_UpdatingBase");
    QTest::newRow("about box") << QStringLiteral("aboutboxformBase");
}

// Automation finds a widget by role and name; two buttons or fields with the
// same name in one window would be ambiguous.
void tst_Accessibility::namesAreUniqueInEachForm()
{
    QFETCH(QString, form);
    const std::unique_ptr<QWidget> window = makeForm(form);
    QHash<QString, QString> seen; // role + name -> object name
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        if (!iface || (!(w->focusPolicy() & Qt::TabFocus) && w->accessibleName().isEmpty()))
            continue;
        const QString name = iface->text(QAccessible::Name);
        QVERIFY2(!name.isEmpty(), qPrintable(w->objectName() + QStringLiteral(" has no accessible name")));
        const QString key = QString::number(iface->role()) + QLatin1Char('/') + name;
        QVERIFY2(!seen.contains(key), qPrintable(QStringLiteral("%1 and %2 are both called \"%3\"")
                                                       .arg(seen.value(key), w->objectName(), name)));
        seen.insert(key, w->objectName());
    }
    QVERIFY(!seen.isEmpty());
}

void tst_Accessibility::chineseNamesAndDescriptions_data()
{
    addRows();
}

// With the Chinese message file installed, every name and description this
// form sets is the Chinese one, and removing it brings the English back.
void tst_Accessibility::chineseNamesAndDescriptions()
{
    QFETCH(QString, form);
    QFETCH(QString, widget);
    QFETCH(QString, name);
    const std::unique_ptr<QWidget> window = makeForm(form);
    QWidget *w = findWidget(window.get(), widget);
    QVERIFY(w);
    const QString englishName = w->accessibleName();
    const QString englishDescription = w->accessibleDescription();

    QTranslator chinese;
    QVERIFY(chinese.load(QStringLiteral("qrt_c"), qEnvironmentVariable("ZOL_BIN_DIR")));
    const QByteArray context = form.toLatin1();
    const QString chineseDescription = chinese.translate(context, englishDescription.toUtf8());
    QVERIFY2(!chineseDescription.isEmpty(),
             qPrintable(QStringLiteral("no Chinese for \"%1\"").arg(englishDescription)));
    QVERIFY(chineseDescription != englishDescription);
    QString chineseName;
    if (!name.isEmpty()) {
        chineseName = chinese.translate(context, name.toUtf8());
        QVERIFY2(!chineseName.isEmpty(), qPrintable(QStringLiteral("no Chinese for \"%1\"").arg(name)));
    }

    // The windows hear of the new translator through a posted event.
    QVERIFY(QCoreApplication::installTranslator(&chinese));
    QTRY_COMPARE(w->accessibleDescription(), chineseDescription);
    QCOMPARE(accessibleText(w, QAccessible::Description), chineseDescription);
    if (!name.isEmpty())
        QCOMPARE(w->accessibleName(), chineseName);

    QVERIFY(QCoreApplication::removeTranslator(&chinese));
    QTRY_COMPARE(w->accessibleDescription(), englishDescription);
    QCOMPARE(w->accessibleName(), englishName);
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
