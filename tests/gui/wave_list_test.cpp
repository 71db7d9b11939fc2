#include <QtTest>
class T : public QObject {
    Q_OBJECT
};
QTEST_MAIN(T)
#include "wave_list_test.moc"
