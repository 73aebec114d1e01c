// A row of a wash item file names an item of that file only: a value written like an order
// row ("name<|>file", its section naming the file) never binds an item to another file.
#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"
#include "tests/support/TempDir.h"

TEST(ForeignRow, WashItemFileRowsStayInTheirFileAndOrderFileDropsThem) {
    TempDir dir;
    const std::string evil = dir.Path() + "evil.txt", user = dir.Path() + "user.txt";
    WriteTextFile(evil, "[Common]\r\nTotal=1\r\nItem0=X\r\n[X]\r\ntFolder.Total=0\r\n");
    WriteTextFile(user, "[Common]\r\nTotal=4\r\nItem0=Mine\r\nItem1=X<|>" + evil + "\r\nItem2=a<|>b\r\nItem3=Last\r\n"
                        "[X<|>" + evil + "]\r\ntxtfilename=" + evil + "\r\nIsActive=1\r\n[a<|>b]\r\nIsActive=1\r\n");
    Catalogue found;
    found.LoadFromFile(user);
    std::string rows;
    for (const auto& row : found.Items) rows += row.ItemName + "@" + row.ItemFile + " ";
    EXPECT_EQ(rows, "Mine@" + user + " Last@" + user + " ");

    // An order file that kept the row from an earlier start keeps it no longer.
    const std::string orderPath = dir.Path() + "order.ini";
    Catalogue saved = found;
    CatalogueRow foreign;
    foreign.ItemName = "X";
    foreign.ItemFile = evil;
    saved.Append(foreign);
    saved.RewriteFile(orderPath);
    Catalogue order, merged;
    order.LoadOrderFile(orderPath);
    ASSERT_EQ(order.Count(), 3);
    MergeCatalogue(merged, found, order);
    merged.RewriteFile(orderPath);
    EXPECT_EQ(ReadTextFile(orderPath).find("evil"), std::string::npos);
}
