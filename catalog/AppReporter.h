// How catalogue reading tells its user about a problem it handles itself: by message number.
// The window turns a number into a message box, the authoring tool into a line of output.
#ifndef KORVELT_CATALOG_APPREPORTER_H
#define KORVELT_CATALOG_APPREPORTER_H

class IAppReporter
{
public:
    virtual ~IAppReporter() = default;
    virtual void ReportMessage(int nMessage) = 0;
};

#endif
