// tests/stream/WaveTest.cpp — RIFF WAVE images: the chunk walk, short and
// overlong chunks, the reader's open state, and writing an image back.

#include "media/Errors.h"
#include "tests/stream/StreamTestSupport.h"

namespace skyrend::test {
namespace {

Bytes Pcm16Format() { return Bytes().u16(1).u16(2).u32(22050).u32(88200).u16(4).u16(16); }

Bytes Riff(const Bytes& chunks) { return Bytes().raw("RIFF").u32(static_cast<uint32_t>(4 + chunks.size())).raw("WAVE").raw(chunks.b); }

TWave Load(const Bytes& image) {
    TWave wave;
    wave.LoadFromBytes(image.b);
    return wave;
}

TEST(Wave, FormatAndDataChunks) {
    TWave wave = Load(Riff(Bytes().raw("fmt ").u32(16).raw(Pcm16Format().b).raw("data").u32(4).u32(0x04030201)));
    TWaveFormat f = wave.Format();
    EXPECT_EQ(f.FormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(f.Channels, 2);
    EXPECT_EQ(f.SamplesPerSec, 22050u);
    EXPECT_EQ(f.AvgBytesPerSec, 88200u);
    EXPECT_EQ(f.BlockAlign, 4);
    EXPECT_EQ(f.BitsPerSample, 16);
    EXPECT_EQ(wave.Data(), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(Wave, OtherChunksAreSkippedBySizeWithoutPad) {
    // An even-sized LIST chunk before "fmt ".
    TWave listed = Load(Riff(Bytes().raw("LIST").u32(6).raw("INFOab").raw("fmt ").u32(16).raw(Pcm16Format().b)
                                 .raw("data").u32(2).u16(0x7FFF)));
    EXPECT_EQ(listed.Format().Channels, 2);
    EXPECT_EQ(listed.Data().size(), 2u);
    // An odd-sized chunk is followed directly by the next one.
    TWave odd = Load(Riff(Bytes().raw("junk").u32(3).raw("abc").raw("fmt ").u32(16).raw(Pcm16Format().b)
                              .raw("data").u32(1).u8(9)));
    EXPECT_EQ(odd.Data(), std::vector<uint8_t>{9});
    // With a pad byte after it the chunk walk loses step and finds no data.
    TWave padded = Load(Riff(Bytes().raw("junk").u32(3).raw("abc").u8(0).raw("data").u32(1).u8(9)));
    EXPECT_TRUE(padded.Empty());
    // A zero id ends the walk.
    TWave stopped = Load(Riff(Bytes().u32(0).u32(4).raw("data").u32(1).u8(9)));
    EXPECT_TRUE(stopped.Empty());
}

TEST(Wave, ShortAndOverlongChunks) {
    // A format chunk shorter than the record: the fields it lacks read 0.
    TWave shortFormat = Load(Riff(Bytes().raw("fmt ").u32(6).u16(1).u16(1).u16(0x5622).raw("data").u32(1).u8(1)));
    EXPECT_EQ(shortFormat.FormatBlock().size(), 6u);
    EXPECT_EQ(shortFormat.Format().FormatTag, 1);
    EXPECT_EQ(shortFormat.Format().SamplesPerSec, 0x5622u);
    EXPECT_EQ(shortFormat.Format().BitsPerSample, 0);
    // Data claiming more than the image holds is cut to what is there.
    TWave cut = Load(Riff(Bytes().raw("fmt ").u32(16).raw(Pcm16Format().b).raw("data").u32(0xFFFFFFF0).u16(0x0102)));
    EXPECT_EQ(cut.Data(), (std::vector<uint8_t>{2, 1}));
    // A format chunk past the end is a read error.
    EXPECT_EQ(ErrorOf<EReadError>([] { Load(Riff(Bytes().raw("fmt ").u32(0x7FFFFFFF).u16(1))); }), "Stream-Lesefehler");
    // A chunk header cut short ends the walk.
    TWave partial = Load(Riff(Bytes().raw("fmt ").u32(16).raw(Pcm16Format().b).raw("da")));
    EXPECT_EQ(partial.Format().Channels, 2);
    EXPECT_TRUE(partial.Empty());
}

TEST(Wave, BadHeaderAndReaderState) {
    for (const Bytes& bad : {Bytes(), Bytes().raw("RIFF").u32(4), Bytes().raw("RIFX").u32(4).raw("WAVE"),
                             Bytes().raw("RIFF").u32(4).raw("AVI ")})
        EXPECT_EQ(ErrorOf<EWaveStreamError>([&] { Load(bad); }), "Wave is invalid");

    Bytes image = Riff(Bytes().raw("data").u32(3).raw("xyz"));
    TBytesView view(image.b.data(), image.size());
    TRIFFWaveReader reader(view);
    char buffer[8];
    EXPECT_EQ(ErrorOf<EWaveStreamError>([&] { reader.Read(buffer, 1); }), "Stream not opened");
    reader.Open();
    EXPECT_EQ(ErrorOf<EWaveStreamError>([&] { reader.Open(); }), "Stream is already open");
    EXPECT_EQ(reader.DataSize(), 3);
    EXPECT_EQ(reader.Read(buffer, 2), 2u);
    EXPECT_EQ(reader.Read(buffer + 2, 8), 1u);  // reads stop at the data's end
    EXPECT_EQ(std::string(buffer, 3), "xyz");
    reader.Close();
    EXPECT_EQ(ErrorOf<EWaveStreamError>([&] { reader.DataSize(); }), "Stream not opened");
}

TEST(Wave, ImageRoundTripAndStreamProperty) {
    TWave wave;
    wave.SetPCMFormat(1, 11025, 8);
    wave.SetData({0x80, 0x90, 0xA0});
    EXPECT_EQ(wave.Format().BlockAlign, 1);
    EXPECT_EQ(wave.Format().AvgBytesPerSec, 11025u);
    const std::vector<uint8_t> image = wave.RiffImage();
    EXPECT_EQ(image.size(), 12u + 8 + 16 + 8 + 3);
    EXPECT_EQ(image[4] | (image[5] << 8), static_cast<int>(image.size()) - 8);
    TWave back;
    back.LoadFromBytes(image);
    EXPECT_EQ(back.FormatBlock(), wave.FormatBlock());
    EXPECT_EQ(back.Data(), wave.Data());

    // Through a component stream as "Wave.WAVE" of an item.
    TTestRoot root;
    static_cast<TTestItem&>(root.List.AddItem()).Wave = wave;
    TMemoryStream out;
    WriteComponentResource(out, root, "TWaveCollectionComponent");
    TTestRoot read;
    ReadInto(out.Bytes(), read);
    ASSERT_EQ(read.List.Count(), 1);
    EXPECT_EQ(read.List.Items[0]->Wave.Data(), wave.Data());
    EXPECT_EQ(read.List.Items[0]->Wave.Format().SamplesPerSec, 11025u);

    // A bad image inside the stream fails the read with the wave's error.
    Bytes bad;
    bad.header("X").str("TTestRoot").str("").str("List").u8(14).u8(1).str("Wave.WAVE").u8(10).u32(4).raw("RIFF")
        .u8(0).u8(0).u8(0).u8(0);
    EXPECT_EQ(ErrorOf<EWaveStreamError>([&] { TTestRoot r; ReadInto(bad.b, r); }), "Wave is invalid");
}

}  // namespace
}  // namespace skyrend::test
