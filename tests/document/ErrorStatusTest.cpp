#include <QSet>

#include <gtest/gtest.h>

#include "document/BarcodeErrors.h"
#include "form/SolicitudJson.h"
#include "platform/Error.h"

using namespace velantor;

// A number names one status of one domain, and every status says what it means.
TEST(ErrorStatus, NumbersAreDistinctAndEveryStatusIsDescribed) {
    QSet<int> numbers;
    QSet<QString> descriptions;
    int count = 0;
    const auto add = [&](int number, const QString& description) {
        ++count;
        numbers.insert(number);
        descriptions.insert(description);
        EXPECT_FALSE(description.isEmpty()) << number;
    };
    for (errors::Platform status : errors::kPlatformStatuses)
        add(status, errors::description(status));
    for (errors::Barcode status : errors::kBarcodeStatuses)
        add(status, errors::description(status));
    for (errors::Json status : errors::kJsonStatuses)
        add(status, errors::description(status));
    EXPECT_EQ(numbers.size(), count);
    EXPECT_EQ(descriptions.size(), count);
}
