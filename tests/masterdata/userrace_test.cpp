// Two workstations changing users at the same moment: the checks that guard
// the users table see what the other one wrote, because they run inside the
// transaction that writes.
#include "masterdata/userform.h"
#include "core/currentuser.h"
#include "shell/messages.h"

#include "data/passwords.h"
#include "data/quoting.h"
#include "data/topiclock.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <future>
#include <gtest/gtest.h>
#include <thread>

using namespace masterdata;
using shell::MessageAnswer;
using shell::MessageRecorder;

namespace {

class UserRace : public ::testing::TestWithParam<data::Dialect> {
protected:
    void SetUp() override
    {
        m_temp = std::make_unique<testsupport::TempDatabase>(GetParam());
        m_temp->makeShared();
        annId = addUser("Ann", "Admin");
        bobId = addUser("Bob", "Admin");
        danaId = addUser("Dana", "User");
        core::setCurrentUser({danaId + 100, "Admin", "boss"});
    }
    void TearDown() override
    {
        core::setCurrentUser({});
        m_temp.reset();
    }
    data::Database &db() { return m_temp->db(); }
    qint64 addUser(const QString &name, const QString &type)
    {
        return data::addRow(db(), "[User]",
                            {{"Name", name}, {"Username", name}, {"Password", "x"}, {"Type", type}, {"Inactive", 0}})
            .integer("ID");
    }
    // Another workstation writes the statement in a transaction of its own
    // (taking the users' lock as the user screen does, when asked to), and
    // commits it a moment after this one has started its own change.
    std::thread otherWorkstation(const QString &statement, std::promise<void> &written, bool lockUsers = true)
    {
        const QString connection = m_temp->connectionString();
        return std::thread([connection, statement, &written, lockUsers] {
            std::unique_ptr<data::Database> other = data::Database::open(connection);
            {
                data::Transaction tx(*other);
                if (lockUsers)
                    data::lockTopic(*other, QStringLiteral("users"));
                other->execute(statement);
                written.set_value();
                QThread::msleep(400);
                tx.commit();
            }
        });
    }
    std::unique_ptr<UserForm> open(const QString &user)
    {
        auto form = std::make_unique<UserForm>();
        form->load();
        form->show();
        form->cmbUser->setCurrentIndex(form->cmbUser->findText(user));
        return form;
    }
    qint64 activeAdmins()
    {
        return db().query("SELECT COUNT(*) AS N FROM [User] WHERE Type = 'Admin' AND Inactive = 0").integer("N");
    }

    std::unique_ptr<testsupport::TempDatabase> m_temp;
    qint64 annId = 0, bobId = 0, danaId = 0;
    MessageRecorder messages;
};

TEST_P(UserRace, TwoWorkstationsCannotEachTakeAwayOneOfTheLastTwoAdmins)
{
    auto form = open("Ann");
    form->cmbType->setCurrentText("User");
    std::promise<void> written;
    std::thread other =
        otherWorkstation("UPDATE [User] SET Inactive = 1 WHERE ID = " + data::sqlNumber(bobId), written);
    written.get_future().wait();
    form->btnSave->click();
    other.join();
    EXPECT_EQ(messages.last().title, "Cannot Save");
    EXPECT_EQ(activeAdmins(), 1);
}

TEST_P(UserRace, AUserMadeSalesRepMeanwhileIsNotDeleted)
{
    auto form = open("Dana");
    std::promise<void> written;
    // The customer screen takes no lock of the users'.
    std::thread other =
        otherWorkstation("INSERT INTO Customer (Customer, Status, SalesRepID) VALUES ('Acme', 'Active', "
                             + data::sqlNumber(danaId) + ")",
                         written, false);
    written.get_future().wait();
    messages.answer(MessageAnswer::Yes);
    form->btnDelete->click();
    other.join();
    EXPECT_EQ(messages.last().title, "Cannot Delete");
    EXPECT_EQ(db().query("SELECT * FROM [User] WHERE ID = " + data::sqlNumber(danaId)).recordCount(), 1);
}

TEST_P(UserRace, AUserDeletedMeanwhileIsNotSavedAndTheScreenSaysSo)
{
    auto form = open("Dana");
    form->txtName->setText("Dana Renamed");
    std::unique_ptr<data::Database> other = m_temp->openAnother();
    other->execute("DELETE FROM [User] WHERE ID = " + data::sqlNumber(danaId));
    form->btnSave->click();
    EXPECT_TRUE(messages.last().text.contains("deleted")) << messages.last().text.toStdString();
    EXPECT_EQ(db().query("SELECT * FROM [User] WHERE Name = 'Dana Renamed'").recordCount(), 0);
}

BUNLINE_ON_EVERY_BACKEND(UserRace);

} // namespace
