#pragma once

// Channels typed into images of the tests' own and the lines an export
// gives for them, shared by the CSV import and export tests.
#include "channels/channel_frequency.h"
#include "channels/channel_name.h"
#include "channels/channel_record.h"
#include "core/globals.h"
#include "core/image.h"
#include "csv/csv_import.h"

#include <QStringList>

namespace csv_lists {

using namespace r7k;

inline const QByteArray Header = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                 "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,"
                                 "Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// A channel as a user types it into the table; an empty TX makes it receive
// only, tones are list texts.
struct Typed {
    int channel;
    const char *name;
    const char *rx;
    const char *tx;
    const char *decode;
    const char *encode;
    bool high;
    bool wide;
    const char *line; // its line in an exported list
};

inline const Typed Kinds[] = {
    {1, "CH1", "446.00625", "446.00625", "OFF", "OFF", true, true,
     "1,CH1,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,"},
    {2, "TONE", "145.5", "145.5", "OFF", "67.0", false, false,
     "2,TONE,145.500000,,0.000000,Tone,67.0,88.5,023,NN,023,Tone->Tone,NFM,5.00,,1.0W,,,,,"},
    {3, "TSQL", "438.5", "438.5", "250.3", "250.3", true, false,
     "3,TSQL,438.500000,,0.000000,TSQL,250.3,250.3,023,NN,023,Tone->Tone,NFM,5.00,,5.0W,,,,,"},
    {5, "DCS RR", "450.1", "450.1", "D754I", "D754I", true, true,
     "5,DCS RR,450.100000,,0.000000,DTCS,88.5,88.5,754,RR,754,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {6, "DCS NR", "450.1", "450.1", "D023I", "D023N", true, true,
     "6,DCS NR,450.100000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {7, "T-T", "450.1", "450.1", "71.9", "67.0", true, true,
     "7,T-T,450.100000,,0.000000,Cross,67.0,71.9,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {8, "T-D", "450.1", "450.1", "D155I", "100.0", true, true,
     "8,T-D,450.100000,,0.000000,Cross,100.0,88.5,023,NR,155,Tone->DTCS,FM,5.00,,5.0W,,,,,"},
    {9, "D-T", "450.1", "450.1", "88.5", "D432I", true, true,
     "9,D-T,450.100000,,0.000000,Cross,88.5,88.5,432,RN,023,DTCS->Tone,FM,5.00,,5.0W,,,,,"},
    {10, "RX TONE", "450.1", "450.1", "123.0", "OFF", true, true,
     "10,RX TONE,450.100000,,0.000000,Cross,88.5,123.0,023,NN,023,->Tone,FM,5.00,,5.0W,,,,,"},
    {11, "RX DCS", "450.1", "450.1", "D025N", "OFF", true, true,
     "11,RX DCS,450.100000,,0.000000,Cross,88.5,88.5,023,NN,025,->DTCS,FM,5.00,,5.0W,,,,,"},
    {12, "TX DCS", "450.1", "450.1", "OFF", "D026I", true, true,
     "12,TX DCS,450.100000,,0.000000,Cross,88.5,88.5,026,RN,023,DTCS->,FM,5.00,,5.0W,,,,,"},
    {13, "D-D", "450.1", "450.1", "D754I", "D023N", true, true,
     "13,D-D,450.100000,,0.000000,Cross,88.5,88.5,023,NR,754,DTCS->DTCS,FM,5.00,,5.0W,,,,,"},
    {14, "UP", "145.5", "146.1", "OFF", "OFF", true, true,
     "14,UP,145.500000,+,0.600000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {15, "DOWN", "438.5", "433.5", "OFF", "OFF", true, true,
     "15,DOWN,438.500000,-,5.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {17, "RX ONLY", "162.55", "", "123.0", "OFF", false, false,
     "17,RX ONLY,162.550000,off,0.000000,Cross,88.5,123.0,023,NN,023,->Tone,NFM,5.00,,1.0W,,,,,"},
    {18, "DCS 754", "450.1", "450.1", "D754N", "D754N", true, true,
     "18,DCS 754,450.100000,,0.000000,DTCS,88.5,88.5,754,NN,754,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    // The other program writes a split from a shift of 70 MHz on.
    {19, "UNDER", "136", "205.99375", "OFF", "OFF", true, true,
     "19,UNDER,136.000000,+,69.993750,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,"},
    {20, "OVER", "136", "206.00625", "OFF", "OFF", true, true,
     "20,OVER,136.000000,split,206.006250,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,"},
    {97, "中文名称", "446.1", "446.1", "OFF", "OFF", true, true,
     "97,中文名称,446.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,"},
    {100, "A,\"B\"", "446.1", "446.1", "OFF", "OFF", true, true,
     "100,\"A,\"\"B\"\"\",446.100000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,"
     ","},
    {128, "AB中文12CD", "469.99375", "469.99375", "OFF", "OFF", true, true,
     "128,AB中文12CD,469.993750,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,5.0W,,,,,"},
};

// The image right after start-up.
inline Data_image fresh_image()
{
    Reset_image();
    return chann;
}

inline void type_into(Data_image &image, const Typed &typed)
{
    const int n = typed.channel;
    Enter_rx_freq(n, typed.rx, true, image);
    if (*typed.tx)
        Enter_tx_freq(n, typed.tx, image);
    else
        Clear_tx_freq(n, image);
    const QStringList tones = Choice_items(Decode_column);
    Store_choice(n, Decode_column, int(tones.indexOf(typed.decode)), image);
    Store_choice(n, Encode_column, int(tones.indexOf(typed.encode)), image);
    Store_choice(n, Power_column, typed.high ? 1 : 0, image);
    Store_choice(n, Band_column, typed.wide ? 1 : 0, image);
    Store_channel_name(n, QString::fromUtf8(typed.name), image);
}

inline QStringList english(const QList<Bilingual> &notes)
{
    QStringList texts;
    for (const Bilingual &note : notes)
        texts.append(note.english);
    return texts;
}

// The channel table's texts of a channel of the program's image, blanks
// around them removed.
inline QStringList shown(int channel)
{
    QStringList texts;
    for (const QString &text : Channel_row_texts(channel))
        texts.append(text.trimmed());
    return texts;
}

inline Channel_csv::Report import_into(Data_image &image, const QByteArray &csv,
                                       Channel_csv::Scope scope = Channel_csv::Scope::All_channels)
{
    return Channel_csv::Import(image, csv, scope, 0);
}

} // namespace csv_lists
