// The 1724-byte project information record: the whole content of a .Prj file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel {

#pragma pack(push, 1)

struct ProjectInfo {
    uint8_t reserved0[25];
    char projectName[100];
    char projectAddress[100];
    char projectKind[50];
    int32_t hiddenCount;
    float hiddenValue;
    char startDate[15]; // "yyyyMMdd"
    char testingCompany[100];
    char companyAddress[100];
    char qualificationNo[20];
    char contactPerson[20];
    char contactPhone[20];
    char postCode[20];
    char instrumentModel[20];
    char instrumentNo[20];
    char calibrationNo[20];
    char tester[20];
    char permitNo[20];
    char client[100];
    char commissionDate[15];
    char supervisor[100];
    char authority[100];
    char designer[100];
    char builder[100];
    char owner[100];
    char contractor[100];
    char surveyor[100];
    char reportNo[20];
    char reportDate[15];
    char testBasis[20];
    int32_t hiddenInt1;
    float hiddenFloat;
    int32_t hiddenInt2;
    char hiddenText[100];
    char hiddenGrade[10];
    int32_t hiddenInt3;
    char pileKind[50];
};

#pragma pack(pop)

static_assert(sizeof(ProjectInfo) == 1724);
static_assert(offsetof(ProjectInfo, projectName) == 25);
static_assert(offsetof(ProjectInfo, projectAddress) == 125);
static_assert(offsetof(ProjectInfo, projectKind) == 225);
static_assert(offsetof(ProjectInfo, hiddenCount) == 275);
static_assert(offsetof(ProjectInfo, startDate) == 283);
static_assert(offsetof(ProjectInfo, testingCompany) == 298);
static_assert(offsetof(ProjectInfo, companyAddress) == 398);
static_assert(offsetof(ProjectInfo, qualificationNo) == 498);
static_assert(offsetof(ProjectInfo, contactPerson) == 518);
static_assert(offsetof(ProjectInfo, contactPhone) == 538);
static_assert(offsetof(ProjectInfo, postCode) == 558);
static_assert(offsetof(ProjectInfo, instrumentModel) == 578);
static_assert(offsetof(ProjectInfo, instrumentNo) == 598);
static_assert(offsetof(ProjectInfo, calibrationNo) == 618);
static_assert(offsetof(ProjectInfo, tester) == 638);
static_assert(offsetof(ProjectInfo, permitNo) == 658);
static_assert(offsetof(ProjectInfo, client) == 678);
static_assert(offsetof(ProjectInfo, commissionDate) == 778);
static_assert(offsetof(ProjectInfo, supervisor) == 793);
static_assert(offsetof(ProjectInfo, authority) == 893);
static_assert(offsetof(ProjectInfo, designer) == 993);
static_assert(offsetof(ProjectInfo, builder) == 1093);
static_assert(offsetof(ProjectInfo, owner) == 1193);
static_assert(offsetof(ProjectInfo, contractor) == 1293);
static_assert(offsetof(ProjectInfo, surveyor) == 1393);
static_assert(offsetof(ProjectInfo, reportNo) == 1493);
static_assert(offsetof(ProjectInfo, reportDate) == 1513);
static_assert(offsetof(ProjectInfo, testBasis) == 1528);
static_assert(offsetof(ProjectInfo, hiddenInt1) == 1548);
static_assert(offsetof(ProjectInfo, hiddenFloat) == 1552);
static_assert(offsetof(ProjectInfo, hiddenInt2) == 1556);
static_assert(offsetof(ProjectInfo, hiddenText) == 1560);
static_assert(offsetof(ProjectInfo, hiddenGrade) == 1660);
static_assert(offsetof(ProjectInfo, hiddenInt3) == 1670);
static_assert(offsetof(ProjectInfo, pileKind) == 1674);

} // namespace tarvel
