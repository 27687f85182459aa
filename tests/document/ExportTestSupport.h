#pragma once
// One export through the document, waited for on the calling thread.
#include "document/KVR.FMX.ExportJob.h"
#include "document/KVR.FMX.h"
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

inline TKVRExportResult RunExport(TVXLabelFMX& aDoc, TKVRExport aType, const QString& aFile, float aScale = 1.0f,
                                  bool aFit = false, bool aCheckData = false)
{
    TKVRExportResult result;
    bool done = false;
    QEventLoop loop;
    aDoc.OnExportDone = [&](QObject*, const TKVRExportResult& r) {
        result = r;
        done = true;
        loop.quit();
    };
    EXPECT_TRUE(aDoc.ExportDoc(aType, aFile, 0, aScale, 100, aCheckData, false, aFit));
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    if (!done)
        loop.exec();
    EXPECT_TRUE(done) << "no report";
    aDoc.OnExportDone = nullptr;
    return result;
}
