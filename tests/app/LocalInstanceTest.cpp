#include "app/LocalInstance.h"
#include "fakes/QtPrinters.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(LocalInstance, ASecondStartHandsItsUrlsToTheFirst) {
    QTemporaryDir folder;
    LocalInstance first(folder.path());
    ASSERT_EQ(first.claim({}), LocalInstance::Claim::first);
    QSignalSpy opened(&first, &LocalInstance::opened);

    LocalInstance second(folder.path());
    EXPECT_EQ(second.claim({u"brevimar://done/water"_s, u"brevimar://resume"_s}),
              LocalInstance::Claim::handedOver);
    ASSERT_TRUE(opened.wait(5000));
    EXPECT_EQ(opened.first().first().toStringList(),
              QStringList({u"brevimar://done/water"_s, u"brevimar://resume"_s}));

    // Started again without URLs, as from the applications menu: the first is to show itself.
    LocalInstance third(folder.path());
    EXPECT_EQ(third.claim({}), LocalInstance::Claim::handedOver);
    ASSERT_TRUE(opened.wait(5000));
    EXPECT_EQ(opened.last().first().toStringList(), QStringList());
}
