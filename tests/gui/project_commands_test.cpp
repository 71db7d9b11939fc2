#include <QtTest>
class T : public QObject {
    Q_OBJECT
};
QTEST_MAIN(T)
#include "project_commands_test.moc"
