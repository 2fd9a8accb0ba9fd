"""The demo's breaking-news feed: RSS 2.0 built from a few dozen Turkish headlines."""
from datetime import datetime, timedelta, timezone
from xml.sax.saxutils import escape

# (headline, summary) pairs, newest first.
HEADLINES = [
    ("İstanbul'da sağanak yağış etkili oluyor",
     "Meteoroloji, akşam saatlerinde kuvvetlenmesi beklenen yağışa karşı sürücüleri ve yayaları uyardı."),
    ("Merkez Bankası faiz kararını açıkladı",
     "Para Politikası Kurulu, politika faizini sabit tuttu; karar metninde enflasyondaki düşüşe dikkat çekildi."),
    ("Ankara'da metro seferlerine yeni düzenleme",
     "Hafta içi sabah saatlerinde seferler dört dakikada bire indirilecek; düzenleme pazartesi başlıyor."),
    ("Ege'de 4,2 büyüklüğünde deprem",
     "AFAD'ın açıklamasına göre deprem 7 kilometre derinlikte meydana geldi; can ve mal kaybı bildirilmedi."),
    ("Milli takımın aday kadrosu belli oldu",
     "Teknik direktör, hazırlık maçları için 26 oyuncuyu kampa davet etti; kadroda üç yeni isim yer alıyor."),
    ("Boğaz'da gemi trafiği geçici olarak durduruldu",
     "Yoğun sis nedeniyle İstanbul Boğazı'nda çift yönlü gemi geçişlerine ara verildi."),
    ("Akaryakıt fiyatlarında indirim",
     "Benzinin litre fiyatında gece yarısından geçerli olmak üzere 1,15 liralık indirim yapıldı."),
    ("Üniversite sınavı başvuruları başladı",
     "Adaylar başvurularını ay sonuna kadar internet üzerinden yapabilecek; geç başvuru günü ayrıca duyurulacak."),
    ("İzmir'de orman yangını kontrol altına alındı",
     "Havadan ve karadan yapılan müdahaleyle yangın altı saat sonra kontrol altına alındı."),
    ("Borsa güne yükselişle başladı",
     "Gösterge endeks açılışta yüzde 0,8 değer kazandı; bankacılık hisseleri öne çıktı."),
    ("Kar yağışı nedeniyle bazı köy yolları ulaşıma kapandı",
     "Doğu Anadolu'da etkili olan kar yağışı sonrası ekipler yolları açmak için çalışma başlattı."),
    ("Sağlık Bakanlığı'ndan grip uyarısı",
     "Bakanlık, risk grubundaki vatandaşların aşılarını yaptırmalarını ve kalabalık ortamlarda dikkatli olmalarını istedi."),
    ("Yerli elektrikli otomobilin ihracatı başlıyor",
     "İlk parti araçlar önümüzdeki ay Avrupa'daki bayilere gönderilecek."),
    ("Kapalıçarşı'da restorasyon tamamlandı",
     "İki yıl süren çalışmaların ardından tarihi çarşının kubbeleri ve çeşmeleri yeniden ziyarete açıldı."),
    ("Trabzon'da heyelan: iki ev tahliye edildi",
     "Şiddetli yağış sonrası meydana gelen heyelanda yaralanan olmadı; bölgede inceleme sürüyor."),
    ("Asgari ücret görüşmeleri yarın başlıyor",
     "Tespit Komisyonu ilk toplantısını yapacak; işçi ve işveren temsilcileri taleplerini sunacak."),
    ("Galatasaray deplasmanda üç puanı aldı",
     "Sarı-kırmızılılar ikinci yarıda bulduğu gollerle rakibini 2-0 mağlup etti."),
    ("Fenerbahçe'de sakatlık şoku",
     "Takımın deneyimli orta saha oyuncusunun üç hafta sahalardan uzak kalacağı açıklandı."),
    ("Van Gölü'nde kuraklık alarmı",
     "Uzmanlar, göl seviyesinin son on yılın en düşük düzeyine indiğini belirterek su tasarrufu çağrısı yaptı."),
    ("Yeni köprü trafiğe açıldı",
     "Kızılırmak üzerindeki yeni köprü, iki ilçe arasındaki yolculuk süresini yarım saat kısaltacak."),
    ("Çanakkale'de feribot seferleri iptal",
     "Fırtına nedeniyle Gökçeada ve Bozcaada hatlarındaki seferler yapılamıyor."),
    ("Türk bilim insanlarından kanser araştırmasında yeni adım",
     "Üniversite ekibinin geliştirdiği yöntem, erken teşhiste daha hızlı sonuç vermeyi hedefliyor."),
    ("Kurban Bayramı tatili dokuz gün oldu",
     "Cumhurbaşkanlığı kararıyla idari izin verilmesiyle bayram tatili dokuz güne uzatıldı."),
    ("Antalya'ya turist akını sürüyor",
     "Havalimanında bu yılın ilk beş ayında karşılanan yolcu sayısı geçen yılı geride bıraktı."),
    ("Bursa'da toplu taşımaya yeni hat",
     "Şehir merkezi ile organize sanayi bölgesi arasında yeni otobüs hattı hizmete girdi."),
    ("Öğretmen atamaları için tarih açıklandı",
     "Millî Eğitim Bakanlığı, 20 bin sözleşmeli öğretmen atamasının ay sonunda yapılacağını duyurdu."),
    ("Doğal gaz tarifesinde değişiklik yok",
     "Konutlarda kullanılan doğal gazın fiyatı bu ay da değiştirilmedi."),
    ("Kapadokya'da balon uçuşlarına rüzgâr engeli",
     "Sivil Havacılık, sabah saatlerinde artan rüzgâr nedeniyle uçuşlara izin vermedi."),
    ("Gaziantep'te tarihi han müzeye dönüştürülüyor",
     "Restorasyonu süren handa açılacak müzede yöresel el sanatları sergilenecek."),
    ("Şampiyonlar Ligi'nde kura heyecanı",
     "Temsilcimizin gruptaki rakipleri perşembe günü yapılacak kurayla belli olacak."),
    ("Karadeniz sahil yolunda çalışma",
     "Ordu-Giresun arasında asfalt yenileme nedeniyle tek şeritten kontrollü geçiş sağlanıyor."),
    ("Ihlamur ağaçları için koruma kararı",
     "Belediye, şehir merkezindeki asırlık ıhlamurların kesilmesini yasaklayan kararı oy birliğiyle aldı."),
]

PUBLISHED = datetime(2026, 12, 11, 15, 0, tzinfo=timezone.utc)


def rss(encoding="utf-8", items=HEADLINES, link_base="http://127.0.0.1/haber/"):
    """The feed as bytes in the given encoding, declared in its XML declaration."""
    parts = [f'<?xml version="1.0" encoding="{encoding}"?>\n',
             '<rss version="2.0"><channel>\n',
             '<title>Son Dakika</title><link>http://127.0.0.1/</link>',
             '<description>Son dakika haberleri</description><language>tr</language>\n']
    for index, (title, summary) in enumerate(items):
        date = (PUBLISHED - timedelta(minutes=7 * index)).strftime("%a, %d %b %Y %H:%M:%S +0000")
        parts.append(f"<item><title>{escape(title)}</title>"
                     f"<link>{link_base}{index + 1}</link>"
                     f"<description>{escape(summary)}</description>"
                     f"<pubDate>{date}</pubDate></item>\n")
    parts.append("</channel></rss>\n")
    return "".join(parts).encode(encoding)
