#include <QtTest>
class T : public QObject {
    Q_OBJECT
};
QTEST_MAIN(T)
#include "widgets_test.moc"
