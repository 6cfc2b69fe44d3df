#include "playertexts.h"

#include "uitexttable.h"

#include <array>

namespace {

using PlayerTextRow = std::array<const char16_t*, kPlayerTextCount>;

// One row per language, in the order of the design's table; columns follow
// PlayerTextId. nullptr leaves a text to English.
constexpr PlayerTextRow kPlayerTexts[kLanguageCount] = {
    // 0 English
    {u"Snapshot saved", u"Continuous play", u"Speed",
     u"Cannot decode this recording: %1 is not installed. Install the Debian package %2."},
    // 1 Simplified Chinese
    {u"抓图已保存", u"连续播放", u"速度", u"无法解码此录像：未安装 %1。请安装 Debian 软件包 %2。"},
    // 2 French
    {u"Instantané enregistré", u"Lecture continue", u"Vitesse",
     u"Impossible de décoder cet enregistrement : %1 n’est pas installé. Installez le paquet Debian %2."},
    // 3 German
    {u"Schnappschuss gespeichert", u"Fortlaufende Wiedergabe", u"Geschwindigkeit",
     u"Diese Aufnahme kann nicht dekodiert werden: %1 ist nicht installiert. Installieren Sie das Debian-Paket %2."},
    // 4 Estonian
    {u"Hetktõmmis salvestatud", u"Pidev esitus", u"Kiirus"},
    // 5 Bulgarian
    {u"Моментната снимка е запазена", u"Непрекъснато възпроизвеждане", u"Скорост",
     u"Този запис не може да бъде декодиран: %1 не е инсталиран. Инсталирайте пакета на Debian %2."},
    // 6 Hungarian
    {u"Pillanatkép mentve", u"Folyamatos lejátszás", u"Sebesség"},
    // 7 Polish
    {u"Zrzut obrazu zapisany", u"Odtwarzanie ciągłe", u"Prędkość",
     u"Nie można zdekodować tego nagrania: brak %1. Zainstaluj pakiet Debiana %2."},
    // 8 Danish
    {u"Øjebliksbillede gemt", u"Kontinuerlig afspilning", u"Hastighed"},
    // 9 Russian
    {u"Снимок кадра сохранён", u"Непрерывное воспроизведение", u"Скорость",
     u"Не удаётся декодировать эту запись: %1 не установлен. Установите пакет Debian %2."},
    // 10 Finnish
    {u"Kuvakaappaus tallennettu", u"Jatkuva toisto", u"Nopeus"},
    // 11 Dutch
    {u"Momentopname opgeslagen", u"Doorlopend afspelen", u"Snelheid",
     u"Deze opname kan niet worden gedecodeerd: %1 is niet geïnstalleerd. Installeer het Debian-pakket %2."},
    // 12 Czech
    {u"Snímek uložen", u"Souvislé přehrávání", u"Rychlost"},
    // 13 Croatian
    {u"Kadar spremljen", u"Neprekidna reprodukcija", u"Brzina"},
    // 14 Latvian
    {u"Momentuzņēmums saglabāts", u"Nepārtraukta atskaņošana", u"Ātrums"},
    // 15 Lithuanian
    {u"Momentinė nuotrauka išsaugota", u"Nepertraukiamas atkūrimas", u"Greitis"},
    // 16 Romanian
    {u"Instantaneu salvat", u"Redare continuă", u"Viteză"},
    // 17 Norwegian
    {u"Stillbilde lagret", u"Kontinuerlig avspilling", u"Hastighet"},
    // 18 Portuguese
    {u"Captura de imagem guardada", u"Reprodução contínua", u"Velocidade"},
    // 19 Japanese
    {u"スナップショットを保存しました", u"連続再生", u"速度", u"この録画をデコードできません: %1 がインストールされていません。Debian パッケージ %2 をインストールしてください。"},
    // 20 Swedish
    {u"Ögonblicksbild sparad", u"Kontinuerlig uppspelning", u"Hastighet"},
    // 21 Slovak
    {u"Snímka uložená", u"Súvislé prehrávanie", u"Rýchlosť"},
    // 22 Slovenian
    {u"Sličica shranjena", u"Neprekinjeno predvajanje", u"Hitrost"},
    // 23 Turkish
    {u"Anlık görüntü kaydedildi", u"Sürekli oynatma", u"Hız"},
    // 24 Spanish
    {u"Captura de imagen guardada", u"Reproducción continua", u"Velocidad",
     u"No se puede decodificar esta grabación: %1 no está instalado. Instale el paquete de Debian %2."},
    // 25 Greek
    {u"Το στιγμιότυπο αποθηκεύτηκε", u"Συνεχής αναπαραγωγή", u"Ταχύτητα",
     u"Αυτή η εγγραφή δεν μπορεί να αποκωδικοποιηθεί: το %1 δεν είναι εγκατεστημένο. Εγκαταστήστε το πακέτο Debian %2."},
    // 26 Italian
    {u"Istantanea salvata", u"Riproduzione continua", u"Velocità",
     u"Impossibile decodificare questa registrazione: %1 non è installato. Installare il pacchetto Debian %2."},
};

consteval bool englishIsComplete()
{
    for (const char16_t* text : kPlayerTexts[kLanguageEnglish]) {
        if (text == nullptr || text[0] == u'\0')
            return false;
    }
    return true;
}
static_assert(englishIsComplete(), "every player text needs its English wording");

const char16_t* ownText(int language, int id)
{
    if (id < 0 || id >= kPlayerTextCount || !isValidLanguage(language))
        return nullptr;
    const char16_t* text = kPlayerTexts[language][static_cast<std::size_t>(id)];
    return text && text[0] != u'\0' ? text : nullptr;
}

}  // namespace

QString PlayerTextIn(int language, int id)
{
    if (id < 0 || id >= kPlayerTextCount || !isValidLanguage(language))
        return QString();
    const char16_t* text = ownText(language, id);
    return QString::fromUtf16(text ? text : ownText(kLanguageEnglish, id));
}

QString PlayerText(int id)
{
    return PlayerTextIn(isValidLanguage(CurrentLanguage) ? CurrentLanguage : kLanguageEnglish, id);
}

bool HasOwnPlayerText(int language, int id)
{
    return ownText(language, id) != nullptr;
}
