#pragma once
// Library symbols for tests, built from JSON definitions as a user types them.
#include "platform/rtl/model/TKVRBaseLibSymbol.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>

// The definition with "Name", "Units" mm and the items (a JSON array text);
// the test fails when the symbol rejects it.
inline std::shared_ptr<TKVRBaseLibSymbol> MakeSymbol(const std::string& aItems, const std::string& aExtra = "")
{
    const std::string text = "{\"Version\":1,\"Name\":\"Test\",\"Category\":\"Tests\",\"ID\":\"{T}\",\"Units\":\"mm\","
                             "\"InsertX\":0,\"InsertY\":0" +
                             aExtra + ",\"Def\":" + aItems + "}";
    auto symbol = std::make_shared<TKVRBaseLibSymbol>();
    QString error;
    EXPECT_TRUE(symbol->ReadJson(TJsonObject::parse(text), error)) << error.toStdString() << "\n" << text;
    return symbol;
}
