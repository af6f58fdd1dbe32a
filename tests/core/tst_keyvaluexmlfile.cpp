#include <QTest>
class Placeholder final : public QObject { Q_OBJECT private Q_SLOTS: void none() { QVERIFY(true); } };
QTEST_GUILESS_MAIN(Placeholder)
#include "tst_keyvaluexmlfile.moc"
