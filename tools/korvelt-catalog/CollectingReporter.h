// Keeps the message numbers that catalogue reading reports, for the tool to tell afterwards.
#ifndef KORVELT_TOOLS_COLLECTINGREPORTER_H
#define KORVELT_TOOLS_COLLECTINGREPORTER_H

#include "catalog/AppReporter.h"

#include <vector>

class CCollectingReporter : public IAppReporter
{
public:
    void ReportMessage(int nMessage) override { m_messages.push_back(nMessage); }
    std::vector<int> m_messages;
};

#endif
