#include "platform/hid/HidInterfaceList.h"

#include <set>

#include "platform/hid/HidPath.h"

namespace morvek::hid {

std::vector<HidrawNode> UniqueNodes(const std::vector<HidrawNode>& rows) {
    std::vector<HidrawNode> nodes;
    std::set<std::string> seen;
    for (const HidrawNode& row : rows) {
        if (seen.insert(row.node).second) nodes.push_back(row);
    }
    return nodes;
}

std::vector<HidInterfaceInfo> DescribeCollections(const HidrawNode& node, const ParsedReportDescriptor& parsed) {
    const bool numbered = parsed.collections.size() > 1;
    std::vector<HidInterfaceInfo> infos;
    for (const HidCollectionCaps& collection : parsed.collections) {
        HidInterfaceInfo info;
        info.vendorId = node.vendorId;
        info.productId = node.productId;
        info.releaseNumber = node.releaseNumber;
        info.interfaceNumber = node.interfaceNumber.value_or(0);
        info.collectionNumber = numbered ? collection.number : 0;
        info.usagePage = collection.usagePage;
        info.usage = collection.usage;
        info.inputReportLength = collection.input.reportLength;
        info.outputReportLength = collection.output.reportLength;
        info.featureReportLength = collection.feature.reportLength;
        info.path = BuildHidPath({node.node, node.vendorId, node.productId, node.interfaceNumber, info.collectionNumber});
        infos.push_back(std::move(info));
    }
    return infos;
}

}  // namespace morvek::hid
