// config.cfg through the options form's start-up and shutdown: the exact bytes written, what
// each line restores, and files that are damaged in the ways files get damaged.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "BringUpFixture.h"
#include "platform/Cp1251.h"
#include "settings/SettingsFile.h"
#include "threads/AdcRecording.h"
#include "window/pages/AdcPage.h"
#include "ui/MessageFlags.h"

namespace {

const char* const kLabels[] = {
    "Активная страница     : ", "Режим сбора данных    : ", "Коэф. усиления АЦП    : ", "Количество каналов    : ",
    "Данных в памяти, с    : ", "Отображение на экране : ", "Частота сбора данных  : ", "Время отображения     : ",
    "Отображение по оси X  : ", "Отображение по оси Y  : ", "БПФ, кол-во бит       : ", "БПФ, ось X, начало    : ",
    "БПФ, ось X, конец     : ", "Разложения, начало    : ", "Разложения, кол-во    : ", "АЧХ, каналов          : ",
    "АЧХ, коэф             : ", "АЧХ, экран            : ", "АЧХ, частота АЦП      : ", "АЧХ, частота ЦАП      : ",
    "АЧХ, напряжение       : ", "АЧХ, нач. частота     : ", "АЧХ, кон. частота     : ", "АЧХ, скорость роста   : ",
    "АЧХ, кол-во значений  : ", "АЧХ, нарастание       : ", "АЧХ, убывание         : ",
};
constexpr int kValueLines = 27;

// What the window holds before anyone touched it, in file order.
const std::vector<std::string> kUntouched = {"0",  "-1", "-1", "-1", "-1", "-1", "1", "12", "-1",
                                             "-1", "9",  "",   "",   "0",  "1000", "-1", "-1", "-1",
                                             "1",  "1",  "20", "5",  "80", "30", "",  "2",  "1"};
// Quev module, real mode, range 1, 4 channels, 10 blocks, auto screen, 25 kHz, 1 s, ms, mV,
// 13 bits, spectrum 0 to 500 Hz.
const std::vector<std::string> kChosen = {"7",  "0", "1",  "3",  "3",  "0",  "10", "12", "1",
                                          "1",  "13", "0", "500", "0", "1000", "0", "0", "0",
                                          "26", "1",  "20", "5", "80", "30", "10", "2", "1"};

// The file's bytes for the given values (code page 1251, CR LF).
std::string FileBytes(const std::vector<std::string>& values, const std::string& header = "Quev Dorvaline, версия 1.02") {
    std::string text = header + "\r\n";
    for (size_t i = 0; i < values.size(); ++i) text += std::string(kLabels[i]) + values[i] + "\r\n";
    return platform::Utf8ToCp1251(text);
}

class SettingsFile : public BringUpFixture {
protected:
    std::string Path() const { return start.File("config.cfg"); }
    void Put(const std::string& bytes) const { std::ofstream(Path(), std::ios::binary) << bytes; }
    std::string Written() const {
        std::ifstream in(Path(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Shutdown() {
        option.reset();
        Option = nullptr;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : frontEnd.Messages()) texts.push_back(m.Text);
        return texts;
    }
    // A window as the program starts it, with no box shown yet.
    void FreshWindow() {
        ReleaseModulesAtShutdown();
        frontEnd.ClearMessages();
        ResetSharedState();
        form = std::make_unique<TForma>();
        Forma = form.get();
    }
    // Shuts down and starts again on the file written.
    void Restart() {
        Shutdown();
        FreshWindow();
        CreateOptions();
    }
    // What the next acquisition uses is what the acquisition page shows.
    void ExpectChoicesInForceAsShown() const {
        const bool usb3000 = adc::AcquisitionPageModule() == adc::Module::Usb3000;
        EXPECT_EQ(AcquisitionSettings.AdcRate, adc_page::RateAt(form->TrackBarQ->Position(), usb3000));
        EXPECT_EQ(AcquisitionSettings.AdcTime, adc_page::TimeAt(form->TrackBarT->Position()));
        EXPECT_EQ(AcquisitionSettings.AdcChannels, form->ComboBoxN->ItemIndex() + 1);
        EXPECT_EQ(form->GroupBoxQ->Caption(), adc_page::RateCaption(AcquisitionSettings.AdcRate));
        EXPECT_EQ(form->GroupBoxT->Caption(), adc_page::TimeCaption(AcquisitionSettings.AdcTime));
        if (AcquisitionSettings.LongMode == 0) {
            EXPECT_LE(AcquisitionSettings.AdcRate * AcquisitionSettings.AdcTime * AcquisitionSettings.AdcChannels,
                      adc_page::kRealWindowLimit);
        }
    }
};

TEST_F(SettingsFile, EveryLabelTheWindowWritesIsTwentyFourCharactersOfTheFilesCodePage) {
    WriteSettingsFile(Path());
    std::istringstream lines(Written());
    std::string line;
    std::getline(lines, line);  // the header
    int valueLines = 0;
    for (; std::getline(lines, line); ++valueLines) {
        ASSERT_LT(valueLines, kValueLines);
        SCOPED_TRACE(platform::Cp1251ToUtf8(line));
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        // 22 characters of 1251 (nothing that would not convert) padded with blanks, then ": ".
        ASSERT_GE(line.size(), 24u);
        EXPECT_EQ(line.substr(22, 2), ": ");
        EXPECT_EQ(line.find('?'), std::string::npos);
        EXPECT_NE(line[0], ' ');
        EXPECT_NE(line[21], ':');
        EXPECT_EQ(line.substr(24), kUntouched[static_cast<size_t>(valueLines)]);
    }
    EXPECT_EQ(valueLines, kValueLines);
}

// A machine of known figures whose current directory can be moved.
struct FixedMachine : platform::SystemInfoProvider {
    platform::OsVersion GetOsVersion() override { return {5, 1, 2600, 2}; }
    std::int64_t FreePhysicalMemory() override { return 1234567; }
    std::int64_t FreeDiskBytes() override { return 0; }
    std::string GetCurrentDirectory() override { return directory; }
    bool SetCurrentDirectory(const std::string& path) override {
        directory = path;
        return true;
    }
    std::string directory;
};

TEST_F(SettingsFile, StartUpShowsTheMachineAndTheFileGoesBackWhereTheProgramStarted) {
    auto machine = std::make_shared<FixedMachine>();
    machine->directory = start.Path();
    platform::SetSystemInfoProvider(machine);
    CreateOptions();
    EXPECT_EQ(form->StatusBar->Panel(0).Text, "Версия ОС :  5.1.2600.2");
    EXPECT_EQ(form->StatusBar->Panel(1).Text, "Свободно ОЗУ :  1 234 567 байт");
    EXPECT_EQ(form->StatusBar->Panel(2).Text, "Свободно ПЗУ ( C:/ ) :  0 байт");
    EXPECT_EQ(FilesAndDirectories.StartDirectory, start.Path());
    EXPECT_EQ(ThreadControl.AcqIdle, 1);
    EXPECT_EQ(ThreadControl.AcqRunning, 0);
    EXPECT_EQ(MetrologySettings.MetAdcRate, 5.0);

    // An open dialog elsewhere moves the current directory; the settings stay where they were.
    ScratchDirectory elsewhere;
    platform::SetCurrentDirectory(elsewhere.Path());
    Shutdown();
    EXPECT_EQ(Written(), FileBytes(kUntouched));
    EXPECT_FALSE(std::filesystem::exists(elsewhere.File("config.cfg")));
}

TEST_F(SettingsFile, FirstRunFindsNothingAndWritesTheUntouchedWindow) {
    CreateOptions();
    EXPECT_TRUE(frontEnd.Messages().empty());
    for (ui::ComboBox* box : {form->ComboBoxR, form->ComboBoxK, form->ComboBoxN, form->ComboBoxM, form->ComboBoxY}) {
        EXPECT_EQ(box->ItemIndex(), -1) << box->Name();
    }
    EXPECT_EQ(AcquisitionSettings.AdcRate, 0) << "no handler ran";
    EXPECT_EQ(form->ComboBoxMetKoef->ItemIndex(), 0);
    EXPECT_EQ(form->ComboBoxBKoef->ItemIndex(), -1);
    Shutdown();
    const std::string bytes = Written();
    EXPECT_EQ(bytes.size(), 772u);
    EXPECT_EQ(bytes, FileBytes(kUntouched));
    EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp"));
}

TEST_F(SettingsFile, ChoicesComeBackThroughTheirHandlersAndGoOutByteForByte) {
    Bench().SetPresent(ModuleKind::Usb3000, false);
    Put(FileBytes(kChosen));
    CreateOptions();
    EXPECT_EQ(Log(), (std::vector<std::string>{kQuevLine})) << "no message, no box";
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(form->PageControl->ActivePageIndex(), 7);
    EXPECT_EQ(AcquisitionSettings.LongMode, 0);
    EXPECT_EQ(SampleData.DataGain, 1);
    EXPECT_EQ(AcquisitionSettings.AdcChannels, 4);
    EXPECT_EQ(SampleData.DataChannels, 4);
    EXPECT_EQ(BlockRing.BlockCount, 10);
    EXPECT_EQ(AcquisitionSettings.AdcRate, 25);
    EXPECT_EQ(SampleData.DataRate, 25);
    EXPECT_EQ(AcquisitionSettings.AdcTime, 1);
    EXPECT_EQ(SampleData.RecordTime, 1);
    EXPECT_EQ(form->GroupBoxQ->Caption(), " Частота :  25 кГц ");
    EXPECT_EQ(ChartState.YMultiplier, kQuevMvPerCode) << "millivolts of the data in memory: none yet";
    EXPECT_EQ(form->ComboBoxFFTBit->ItemIndex(), 3);
    EXPECT_EQ(AcquisitionSettings.FftBits, 0) << "the bits' handler is not run";
    EXPECT_EQ(form->EditFFT_XE->Text(), "500");
    EXPECT_EQ(form->EditAFFCkol->Text(), "10");
    EXPECT_EQ(form->TrackBarAFFC_Qadc->Position(), 26);
    for (ui::ComboBox* box : {form->ComboBoxFurieX, form->ComboBoxFurieY, form->ComboBoxBKoef, form->ComboBoxMetKoef}) {
        EXPECT_EQ(box->ItemIndex(), 0) << box->Name();
    }
    Shutdown();
    EXPECT_EQ(Written(), FileBytes(kChosen));
}

TEST_F(SettingsFile, WithTheUsb3000UpTheRangeBoxOffersItsOneRange) {
    std::vector<std::string> values = kChosen;
    values[2] = "3";
    Put(FileBytes(values));
    CreateOptions();
    EXPECT_EQ(form->ComboBoxK->Items().Strings(), std::vector<std::string>{" ±5,12 В "});
    EXPECT_EQ(form->ComboBoxK->ItemIndex(), 0);
    EXPECT_EQ(SampleData.DataGain, 0);
    Shutdown();
    EXPECT_NE(Written().find(platform::Utf8ToCp1251(std::string(kLabels[2]) + "0\r\n")), std::string::npos);
}

struct Damage {
    const char* name;
    std::string bytes;
    std::vector<std::string> messages;
    int ratePosition;          // TrackBarQ afterwards
    int timePosition;          // TrackBarT afterwards
    const char* fftBegin;      // EditFFT_XB afterwards
    const char* amplitude;     // EditAFFCamp afterwards
    const char* rise;          // EditAFFC_TU afterwards
};

std::vector<std::string> With(std::vector<std::string> values, size_t line, const std::string& value) {
    values[line - 2] = value;
    return values;
}

// The same file with other line ends.
std::string LineEnds(const std::string& bytes, const std::string& end) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes.compare(i, 2, "\r\n") == 0) {
            out += end;
            ++i;
        } else {
            out += bytes[i];
        }
    }
    return out;
}

// A file whose Ctrl-Z is followed by more text: the text ends at it all the same.
std::string Cut(const std::string& bytes) { return bytes + "junk\r\n"; }

std::vector<Damage> Damages() {
    std::vector<std::string> emptyEdits = With(With(kChosen, 13, ""), 26, "");
    std::vector<std::string> header(kChosen.begin(), kChosen.begin() + 4);  // lines 2 to 5
    return {
        {"empty edits read back empty", FileBytes(emptyEdits), {}, 10, 12, "", "20", "2"},
        {"a bad rate is skipped, the lines after it still apply", FileBytes(With(kChosen, 8, "abc")),
         {"Invalid numeric input"}, 1, 12, "0", "20", "2"},
        {"a fraction on an integer line", FileBytes(With(kChosen, 8, "10.0")), {"Invalid numeric input"}, 1, 12, "0",
         "20", "2"},
        {"numbers in their own form, trailing words ignored",
         FileBytes(With(With(With(kChosen, 13, "12.5"), 22, "1e3"), 27, "2.50 s")), {}, 10, 12, "12.5", "1000", "2.5"},
        {"a cut-short file leaves the missing lines' controls as they show", FileBytes(header), {}, 1, 12, "", "20", "2"},
        {"the header's version is not checked", FileBytes(kChosen, "Quev"), {}, 10, 12, "0", "20", "2"},
        {"infinity and not-a-number would not read back", FileBytes(With(With(kChosen, 13, "+Inf"), 22, "Nan")),
         {"Invalid numeric input"}, 10, 12, "", "20", "2"},
        {"a decimal comma typed into an edit", FileBytes(With(kChosen, 13, "2,5")), {}, 10, 12, "2.5", "20", "2"},
        {"lines ended by LF alone, as an editor may save them", LineEnds(FileBytes(kChosen), "\n"), {}, 10, 12, "0",
         "20", "2"},
        {"lines ended by CR alone", LineEnds(FileBytes(kChosen), "\r"), {}, 10, 12, "0", "20", "2"},
        {"the end of text inside a choice's value reads as 0", Cut(FileBytes(With(kChosen, 9, "\x1A" "5"))), {}, 10, 1,
         "", "20", "2"},
        {"the end of text inside an edit's value reads as 0", Cut(FileBytes(With(kChosen, 13, " \x1A"))), {}, 10, 12,
         "0", "20", "2"},
    };
}

TEST_F(SettingsFile, DamagedFilesApplyWhatTheyCanAndSayWhatTheyCannot) {
    for (const Damage& d : Damages()) {
        SCOPED_TRACE(d.name);
        Bench().SetPresent(ModuleKind::Usb3000, false);
        Put(d.bytes);
        CreateOptions();
        EXPECT_EQ(MessageTexts(), d.messages);
        for (const auto& m : frontEnd.Messages()) EXPECT_EQ(m.Flags, ui::MB_OK | ui::MB_ICONSTOP);
        EXPECT_EQ(form->ComboBoxN->ItemIndex(), 3) << "line 5 applies";
        EXPECT_EQ(form->TrackBarQ->Position(), d.ratePosition);
        EXPECT_EQ(form->TrackBarT->Position(), d.timePosition);
        EXPECT_EQ(form->EditFFT_XB->Text(), d.fftBegin);
        EXPECT_EQ(form->EditAFFCamp->Text(), d.amplitude);
        EXPECT_EQ(form->EditAFFC_TU->Text(), d.rise);
        EXPECT_EQ(form->ComboBoxBKoef->ItemIndex(), 0);
        ExpectChoicesInForceAsShown();
        // What the window then writes reads back without a box.
        Restart();
        EXPECT_TRUE(frontEnd.Messages().empty());
        ExpectChoicesInForceAsShown();
        // Back to a fresh window for the next file.
        Shutdown();
        FreshWindow();
    }
}

TEST_F(SettingsFile, ALineThatDoesNotConvertPutsInForceWhatItsControlShowsWithTheStepBackRules) {
    // Real mode, 12 channels, 3 MHz on the USB3000, and no time: 1 s shown, and 36 million
    // samples a window would take.
    std::vector<std::string> values = With(With(With(With(kChosen, 3, "0"), 5, "11"), 8, "33"), 9, "abc");
    Put(FileBytes(values));
    CreateOptions();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Invalid numeric input"});
    // The time bar's 1 s is put in force; the rules step the bars back to 800 kHz and 0.3 s.
    EXPECT_EQ(AcquisitionSettings.AdcRate, 800);
    EXPECT_EQ(AcquisitionSettings.AdcTime, 0.3);
    EXPECT_EQ(SampleData.RecordTime, 0.3);
    ExpectChoicesInForceAsShown();
    const int rate = form->TrackBarQ->Position();
    const int time = form->TrackBarT->Position();
    // The next start reads the same choices, silently.
    Restart();
    EXPECT_TRUE(frontEnd.Messages().empty());
    EXPECT_EQ(form->TrackBarQ->Position(), rate);
    EXPECT_EQ(form->TrackBarT->Position(), time);
    ExpectChoicesInForceAsShown();
}

TEST_F(SettingsFile, DecimalCommasTypedIntoTheEditsSurviveShutdownRestartAndShutdown) {
    Bench().SetPresent(ModuleKind::Usb3000, false);
    Put(FileBytes(kChosen));
    CreateOptions();
    const std::vector<ui::Edit*> edits = {form->EditFFT_XB,  form->EditBeg,     form->EditKol,
                                          form->EditAFFCamp, form->EditAFFCkol, form->EditAFFC_TU};
    for (ui::Edit* edit : edits) edit->Type("10,5");
    // The edits take a number of any length; so does the file.
    const std::string longNumber = "80," + std::string(70, '0');
    form->EditAFFCend->Type(longNumber);
    Shutdown();
    EXPECT_NE(Written().find(platform::Utf8ToCp1251(std::string(kLabels[25]) + "10,5\r\n")), std::string::npos)
        << "written as typed";
    EXPECT_NE(Written().find(platform::Utf8ToCp1251(std::string(kLabels[22]) + longNumber + "\r\n")),
              std::string::npos);
    FreshWindow();
    CreateOptions();
    EXPECT_TRUE(frontEnd.Messages().empty());
    const std::vector<ui::Edit*> restored = {form->EditFFT_XB,  form->EditBeg,     form->EditKol,
                                             form->EditAFFCamp, form->EditAFFCkol, form->EditAFFC_TU};
    for (ui::Edit* edit : restored) EXPECT_EQ(edit->Text(), "10.5") << edit->Name();
    EXPECT_EQ(form->EditAFFCend->Text(), "80");
    Shutdown();
    EXPECT_EQ(Written(), FileBytes(With(With(With(With(With(With(kChosen, 13, "10.5"), 15, "10.5"), 16, "10.5"), 22,
                                                            "10.5"), 26, "10.5"), 27, "10.5")));
}

TEST_F(SettingsFile, AFailedWriteShowsItsErrorAndLeavesNothingHalfWritten) {
    CreateOptions();
    std::filesystem::create_directories(Path() + "/occupied");
    Shutdown();
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Flags, ui::MB_OK | ui::MB_ICONSTOP);
    EXPECT_TRUE(std::filesystem::is_directory(Path()));
    EXPECT_FALSE(std::filesystem::exists(Path() + ".tmp"));
}

TEST_F(SettingsFile, ShutdownReportsEachRefusedReleaseAndStillWritesTheFile) {
    CreateOptions();
    Bench().FailAlways(ModuleKind::Quev, "ReleaseDevice");
    Bench().FailAlways(ModuleKind::Usb3000, "ReleaseDevice");
    PowerAnalysis.TorqueSeries.assign(10, 1.0);
    BlockRing.BlockTimes.assign(10, 1.0);
    Shutdown();
    const auto messages = frontEnd.Messages();
    ASSERT_EQ(messages.size(), 2u);
    for (const auto& m : messages) {
        EXPECT_EQ(m.Text, "Не могу освободить интерфейс модуля!");
        EXPECT_EQ(m.Caption, "ОШИБКА!!!");
        EXPECT_EQ(m.Flags, ui::MB_ICONINFORMATION);
    }
    EXPECT_EQ(Written(), FileBytes(kUntouched));
    EXPECT_EQ(PowerAnalysis.TorqueSeries.capacity(), 0u);
    EXPECT_EQ(BlockRing.BlockTimes.capacity(), 0u);
}

TEST_F(SettingsFile, ANewInstallationStartsWithEveryChoiceMade) {
    const auto shipped = std::filesystem::path(QUEV_SOURCE_DIR) / "app/config.cfg";
    std::filesystem::copy_file(shipped, Path());
    const std::string bytes = Written();
    CreateOptions();
    EXPECT_TRUE(frontEnd.Messages().empty());
    for (ui::ComboBox* box : {form->ComboBoxR, form->ComboBoxK, form->ComboBoxN, form->ComboBoxM, form->ComboBoxC,
                              form->ComboBoxX, form->ComboBoxY, form->ComboBoxFFTBit, form->ComboBoxAFFC_N,
                              form->ComboBoxAFFC_K}) {
        EXPECT_GE(box->ItemIndex(), 0) << box->Name();
    }
    // 80 kHz in either module's table, over 8 channels: 10 kHz per channel.
    EXPECT_EQ(AcquisitionSettings.AdcRate, 80);
    EXPECT_EQ(AcquisitionSettings.AdcChannels, 8);
    EXPECT_EQ(AcquisitionSettings.AdcTime, 1);
    EXPECT_GT(BlockRing.BlockCount, 0);
    EXPECT_GT(ChartState.XMultiplier, 0);
    EXPECT_GT(ChartState.YMultiplier, 0);
    EXPECT_FALSE(form->EditAFFCkol->Text().empty());
    Shutdown();
    EXPECT_EQ(Written(), bytes);
}

}  // namespace
