// Creating a blank picture: one to four channels of bytes or floats, and nothing else.
#include <maya/MImage.h>

#include <gtest/gtest.h>

TEST(MImageCreate, OneToFourChannelsAreMadeAndOthersRefused) {
    MImage image;
    for (unsigned int channels = 1; channels <= 4; ++channels) {
        ASSERT_EQ(image.create(3, 2, channels, MImage::kByte), MS::kSuccess) << channels;
        EXPECT_EQ(image.depth(), channels);
        ASSERT_NE(image.pixels(), nullptr);
        EXPECT_EQ(image.pixels()[3 * 2 * channels - 1], 0); // zeroed to the last byte
    }
    ASSERT_EQ(image.create(3, 2, 4, MImage::kFloat), MS::kSuccess);
    EXPECT_EQ(image.depth(), 16u);
    EXPECT_EQ(image.floatPixels()[3 * 2 * 4 - 1], 0.0f);

    EXPECT_EQ(image.create(3, 2, 5, MImage::kByte), MS::kInvalidParameter);
    EXPECT_EQ(image.create(3, 2, 0, MImage::kByte), MS::kInvalidParameter);
    EXPECT_EQ(image.create(3, 0, 4, MImage::kByte), MS::kInvalidParameter);
    EXPECT_EQ(image.create(3, 2, 4, MImage::kUnknown), MS::kInvalidParameter);
    unsigned int w = 0, h = 0;
    image.getSize(w, h);
    EXPECT_EQ(w, 3u); // the refusals keep the last picture
    EXPECT_EQ(h, 2u);
}
