// Sentences for the choice of a heteronym's form in its sentence, written for these tests: the
// word between asterisks and the form it must show. kContextCases are the cases the rules and the
// model were made right on; kHeldOutCases were written alongside them and never looked at while
// tuning, to tell how the choice fares on sentences it was not made for.
#pragma once

#include <QString>
#include <QStringList>

#include "segments.h"
#include "textannotator.h"

struct ContextCase {
    const char* sentence;
    const char* form;
};

// What the marked word of a case shows in its sentence (its codes; several forms joined by ", ",
// "-" when it shows none), and the sentence without the marks.
struct ContextChoice {
    QString shown;
    QString sentence;
    // Every word of the sentence that shows two forms or more.
    QStringList twoForms;
};

inline ContextChoice chooseInContext(const ContextCase& c, core::WordSource& words,
                                     const core::TextOptions& options = {}) {
    const QString marked = QString::fromUtf8(c.sentence);
    const qsizetype start = marked.indexOf(u'*');
    ContextChoice choice;
    choice.sentence = QString(marked).remove(u'*');
    const testing_support::TextAnnotation annotation =
        testing_support::annotateText(choice.sentence, words, options);
    qsizetype at = 0;
    for (const testing_support::TextSegment& segment : annotation.segments) {
        if (segment.isWord && core::unwrappedCodes(segment.codes).contains(u", ")) {
            choice.twoForms << segment.text;
        }
        if (segment.isWord && at == start) {
            choice.shown =
                segment.codes.isEmpty() ? QStringLiteral("-") : core::unwrappedCodes(segment.codes);
        }
        at += segment.text.size();
    }
    return choice;
}

inline constexpr ContextCase kContextCases[] = {
    // present
    {"She wanted to *present* the present to the committee.", "pri5zent"},
    {"She wanted to present the *present* to the committee.", "5prezEnt"},
    {"He bought a *present* for his mother.", "5prezEnt"},
    {"We will *present* our results tomorrow.", "pri5zent"},
    {"The *present* situation is difficult.", "5prezEnt"},
    {"They *present* the prizes every year.", "pri5zent"},
    {"Live in the *present* and stop worrying.", "5prezEnt"},
    // presents
    {"The children opened their *presents* after dinner.", "5prezEnts"},
    {"She *presents* the news every evening.", "pri5zents"},
    {"Birthday *presents* were piled on the table.", "5prezEnts"},
    // record
    {"She broke the world *record* last year.", "5rekR:d"},
    {"Please *record* the meeting for me.", "ri5kR:d"},
    {"They want to *record* a new album.", "ri5kR:d"},
    {"He has a clean *record*.", "5rekR:d"},
    {"We *record* every call for training.", "ri5kR:d"},
    {"The *record* shows that he was there.", "5rekR:d"},
    // records
    {"The police keep *records* of every arrest.", "5rekR:dz"},
    {"She *records* her songs at home.", "ri5kR:dz"},
    {"Old *records* are sold in that shop.", "5rekR:dz"},
    // object
    {"What is that strange *object* on the table?", "5RbdVikt"},
    {"I *object* to your tone.", "Eb5dVekt"},
    {"Nobody will *object* if you leave early.", "Eb5dVekt"},
    {"The *object* of the game is to score.", "5RbdVikt"},
    {"Did anyone *object* to the plan?", "Eb5dVekt"},
    // refuse
    {"I *refuse* to answer that question.", "ri5fju:z"},
    {"They collect the *refuse* on Mondays.", "5refju:s"},
    {"You cannot *refuse* such an offer.", "ri5fju:z"},
    {"Household *refuse* is burned here.", "5refju:s"},
    {"Many workers *refuse* to sign.", "ri5fju:z"},
    // lead
    {"She will *lead* the team next season.", "li:d"},
    {"Old pipes were made of *lead*.", "led"},
    {"Our team took the *lead* in the second half.", "li:d"},
    {"These roads *lead* to the city.", "li:d"},
    {"Children can get *lead* poisoning from old paint.", "led"},
    {"Good teachers *lead* by example.", "li:d"},
    // live
    {"I *live* in a small town.", "liv"},
    {"We watched a *live* concert on television.", "laiv"},
    {"Where do you *live* now?", "liv"},
    {"They want to *live* near the sea.", "liv"},
    {"The band played *live* music all night.", "laiv"},
    {"Be careful, that wire is *live*.", "laiv"},
    // lives
    {"Doctors save many *lives* every day.", "laivz"},
    {"She *lives* with her grandmother.", "livz"},
    {"Their *lives* changed after the war.", "laivz"},
    {"He *lives* next door.", "livz"},
    // close
    {"Please *close* the door.", "klEuz"},
    {"The shop is *close* to the station.", "klEus"},
    {"We are *close* friends.", "klEus"},
    {"They will *close* the factory next year.", "klEuz"},
    {"Don't *close* the window.", "klEuz"},
    {"The school is very *close*.", "klEus"},
    {"Shops *close* early on Sundays.", "klEuz"},
    // use
    {"What is the *use* of worrying?", "ju:s"},
    {"Can I *use* your phone?", "ju:z"},
    {"We *use* this room for meetings.", "ju:z"},
    {"This tool has many *uses*.", "5ju:siz"},
    {"She *uses* a pen, not a pencil.", "5ju:ziz"},
    {"The *use* of mobile phones is not allowed.", "ju:s"},
    {"Learn how to *use* a dictionary.", "ju:z"},
    {"It is no *use* crying.", "ju:s"},
    // used
    {"I *used* to live in Beijing.", "ju:st"},
    {"He *used* a knife to open the box.", "ju:zd"},
    {"She bought a *used* car.", "ju:zd"},
    // wind
    {"The *wind* blew all night.", "wind"},
    {"Don't forget to *wind* the clock.", "waind"},
    {"A cold *wind* came from the north.", "wind"},
    {"The river and the roads *wind* through the valley.", "waind"},
    {"Strong *winds* damaged the roof.", "windz"},
    {"You must *wind* the rope around the post.", "waind"},
    // wound
    {"The soldier had a deep *wound* in his leg.", "wu:nd"},
    {"She *wound* the wool into a ball.", "waund"},
    {"The *wound* healed slowly.", "wu:nd"},
    {"He had *wound* the clock before he left.", "waund"},
    // tear
    {"A *tear* ran down her face.", "tiE"},
    {"Don't *tear* the paper.", "t/E"},
    {"Be careful not to *tear* your shirt.", "t/E"},
    {"She wiped a *tear* from her eye.", "tiE"},
    {"Her eyes filled with *tears*.", "tiEz"},
    {"He *tears* the letters into pieces.", "t/Ez"},
    // contract
    {"They signed a *contract* with the company.", "5kRntrAkt"},
    {"Metals *contract* when they cool.", "kEn5trAkt"},
    {"The *contract* ends in May.", "5kRntrAkt"},
    {"Muscles *contract* during exercise.", "kEn5trAkt"},
    {"He read the *contract* carefully.", "5kRntrAkt"},
    // desert
    {"Camels can live in the *desert*.", "5dezEt"},
    {"A good friend will never *desert* you.", "di5zE:t"},
    {"The Sahara is a huge *desert*.", "5dezEt"},
    {"Soldiers who *desert* are punished.", "di5zE:t"},
    // produce
    {"These farms *produce* rice and fruit.", "prE5dju:s"},
    {"Fresh *produce* is sold at the market.", "5prRdju:s"},
    {"The factory can *produce* a thousand cars a day.", "prE5dju:s"},
    {"They sell local *produce*.", "5prRdju:s"},
    // increase
    {"There was a sharp *increase* in prices.", "5inkri:s"},
    {"We must *increase* our sales.", "in5kri:s"},
    {"Prices *increase* every year.", "in5kri:s"},
    {"An *increase* of ten percent is expected.", "5inkri:s"},
    {"Exercise can *increase* your energy.", "in5kri:s"},
    // decrease
    {"The number of students will *decrease*.", "di:5kri:s"},
    {"There has been a *decrease* in crime.", "5di:kri:s"},
    // content
    {"The *content* of the book is excellent.", "5kRntent"},
    {"She was *content* with her life.", "kEn5tent"},
    {"He seems quite *content*.", "kEn5tent"},
    {"The website has a lot of *content*.", "5kRntent"},
    {"Check the *contents* of the box.", "5kRntents"},
    // excuse
    {"*Excuse* me, where is the station?", "iks5kju:z"},
    {"That is not a good *excuse*.", "iks5kju:s"},
    {"Please *excuse* my bad handwriting.", "iks5kju:z"},
    {"He always has an *excuse* for being late.", "iks5kju:s"},
    {"She made an *excuse* and left.", "iks5kju:s"},
    // house
    {"They bought a new *house*.", "haus"},
    {"The museum will *house* the collection.", "hauz"},
    {"Our *house* is near the park.", "haus"},
    {"The building can *house* two hundred students.", "hauz"},
    {"He cleaned the *house* on Sunday.", "haus"},
    // separate
    {"Please keep them in *separate* rooms.", "5sepErit"},
    {"We must *separate* the eggs.", "5sepEreit"},
    {"They sleep in *separate* beds.", "5sepErit"},
    {"It is hard to *separate* fact from fiction.", "5sepEreit"},
    {"The two questions are quite *separate*.", "5sepErit"},
    // read
    {"I like to *read* before bed.", "ri:d"},
    {"She *read* the letter yesterday and cried.", "red"},
    {"Have you *read* this book?", "red"},
    {"I have *read* it twice.", "red"},
    {"Can you *read* this sign?", "ri:d"},
    {"We *read* a story every night.", "ri:d"},
    {"He *read* the news and went out.", "red"},
    {"The book was *read* by millions.", "red"},
    {"Please *read* the instructions.", "ri:d"},
    {"Children should *read* every day.", "ri:d"},
    {"I had *read* the report before the meeting.", "red"},
    {"Did you *read* the report?", "ri:d"},
    // permit
    {"You need a *permit* to park here.", "5pE:mit"},
    {"They will not *permit* smoking.", "pE5mit"},
    {"She showed her work *permit*.", "5pE:mit"},
    {"We cannot *permit* such behaviour.", "pE5mit"},
    // suspect
    {"The police arrested a *suspect*.", "5sQspekt"},
    {"I *suspect* that he is lying.", "sEs5pekt"},
    {"The main *suspect* was a young man.", "5sQspekt"},
    {"Doctors *suspect* a virus.", "sEs5pekt"},
    // export
    {"China *exports* many goods.", "iks5pR:ts"},
    {"The *export* of rice grew last year.", "5ekspR:t"},
    {"We *export* tea to Europe.", "iks5pR:t"},
    {"Oil is their main *export*.", "5ekspR:t"},
    // import
    {"They *import* coffee from Brazil.", "im5pR:t"},
    {"The *import* of guns is banned.", "5impR:t"},
    // conflict
    {"The *conflict* lasted ten years.", "5kRnflikt"},
    {"Their stories *conflict* with each other.", "kEn5flikt"},
    {"There is a *conflict* of interest.", "5kRnflikt"},
    {"These results *conflict* with earlier ones.", "kEn5flikt"},
    // minute
    {"Wait a *minute*, please.", "5minit"},
    {"The differences are *minute*.", "mai5nju:t"},
    {"Every *minute* counts.", "5minit"},
    {"I will be back in a *minute*.", "5minit"},
    // perfect
    {"Her English is *perfect*.", "5pE:fikt"},
    {"He spent years trying to *perfect* the design.", "pE5fekt"},
    {"It was a *perfect* day.", "5pE:fikt"},
    {"Practice makes *perfect*.", "5pE:fikt"},
    // project
    {"Our *project* is almost finished.", "5prRdVekt"},
    {"They *project* the film onto a wall.", "prE5dVekt"},
    {"The science *project* won a prize.", "5prRdVekt"},
    {"Experts *project* that sales will rise.", "prE5dVekt"},
    // protest
    {"Students held a *protest* in the square.", "5prEutest"},
    {"They *protest* against the new law.", "prE5test"},
    {"The *protest* ended peacefully.", "5prEutest"},
    {"Workers will *protest* outside the factory.", "prE5test"},
    // progress
    {"She has made great *progress*.", "5prEugres"},
    {"The work will *progress* slowly.", "prE5gres"},
    {"Our *progress* was slow.", "5prEugres"},
    // subject
    {"Maths is my favourite *subject*.", "5sQbdVikt"},
    {"The *subject* of the talk was climate.", "5sQbdVikt"},
    {"They *subject* the samples to high heat.", "sEb5dVekt"},
    // survey
    {"The *survey* shows that people are happy.", "5sE:vei"},
    {"They will *survey* a thousand families.", "sE:5vei"},
    {"We carried out a *survey* of local shops.", "5sE:vei"},
    // transfer
    {"The bank *transfer* took three days.", "5trAnsfE:"},
    {"You can *transfer* the money online.", "trAns5fE:"},
    {"He asked for a *transfer* to London.", "5trAnsfE:"},
    // transport
    {"Public *transport* is cheap here.", "5trAnspR:t"},
    {"Trucks *transport* the goods to the port.", "trAns5pR:t"},
    {"The cost of *transport* is rising.", "5trAnspR:t"},
    // insult
    {"That was a terrible *insult*.", "5insQlt"},
    {"Don't *insult* my friends.", "in5sQlt"},
    // convert
    {"They want to *convert* the barn into a house.", "kEn5vE:t"},
    {"He is a recent *convert* to the idea.", "5kRnvE:t"},
    // contrast
    {"There is a sharp *contrast* between the two.", "5kRntra:st"},
    {"*Contrast* the two poems in your essay.", "kEn5tra:st"},
    {"In *contrast*, the north is dry.", "5kRntra:st"},
    // estimate
    {"The *estimate* was too low.", "5estimit"},
    {"We *estimate* that it will cost a million.", "5estimeit"},
    {"Can you *estimate* the distance?", "5estimeit"},
    // moderate
    {"He takes *moderate* exercise.", "5mRdErit"},
    {"She tried to *moderate* her language.", "5mRdEreit"},
    // abuse
    {"Drug *abuse* is a serious problem.", "E5bju:s"},
    {"Some people *abuse* their power.", "E5bju:z"},
    // update
    {"The latest *update* fixed the bug.", "5Qpdeit"},
    {"Please *update* your address.", "Qp5deit"},
    // upgrade
    {"We need to *upgrade* the software.", "Qp5greid"},
    {"The *upgrade* costs fifty dollars.", "5Qpgreid"},
    // reject
    {"They may *reject* your application.", "ri5dVekt"},
    // rebel
    {"The *rebel* army took the city.", "5rebEl"},
    {"Teenagers often *rebel* against their parents.", "ri5bel"},
    // escort
    {"A police *escort* followed the car.", "5eskR:t"},
    {"Guards will *escort* the prisoner.", "is5kR:t"},
    // combine
    {"*Combine* the flour and the sugar.", "kEm5bain"},
    {"You can *combine* work and study.", "kEm5bain"},
    // extract
    {"Read this *extract* from the novel.", "5ekstrAkt"},
    {"They *extract* oil from the seeds.", "iks5trAkt"},
    // upset
    {"She was *upset* about the news.", "Qp5set"},
    {"The team suffered a big *upset*.", "5Qpset"},
    // discount
    {"Students get a *discount* on tickets.", "5diskaunt"},
    // impact
    {"The *impact* of the crash was huge.", "5impAkt"},
    // contest
    {"She won the singing *contest*.", "5kRntest"},
    {"They will *contest* the result.", "kEn5test"},
    // invalid
    {"Your ticket is *invalid*.", "in5vAlid"},
    // entrance
    {"Meet me at the main *entrance*.", "5entrEns"},
    // attribute
    {"Patience is an important *attribute*.", "5Atribju:t"},
    {"They *attribute* the success to hard work.", "E5tribju:t"},
    // insert
    {"*Insert* the card into the machine.", "in5sE:t"},
    // refund
    {"I would like a *refund*, please.", "5ri:fQnd"},
    {"The shop will *refund* your money.", "ri5fQnd"},
    // to
    {"She went *to* school.", "tu:"},
    {"He gave it *to* an old man.", "tu"},
    {"I want *to* eat now.", "tu"},
    {"Who did you give it *to*?", "tu:"},
    {"We walked *to* the park.", "tu:"},
    {"She likes *to* ask questions.", "tu"},
    {"It is hard *to* understand.", "tu"},
};

inline constexpr ContextCase kHeldOutCases[] = {
    {"My uncle gave me a *present* for my birthday.", "5prezEnt"},
    {"The students will *present* their work on Friday.", "pri5zent"},
    {"Everyone was *present* at the meeting.", "5prezEnt"},
    {"Who holds the *record* for the long jump?", "5rekR:d"},
    {"The band will *record* their next album in May.", "ri5kR:d"},
    {"The police *record* every crime.", "ri5kR:d"},
    {"A strange *object* fell from the sky.", "5RbdVikt"},
    {"Many parents *object* to the new rules.", "Eb5dVekt"},
    {"You should not *refuse* their help.", "ri5fju:z"},
    {"Who will *lead* the discussion?", "li:d"},
    {"This path will *lead* you home.", "li:d"},
    {"Some birds *live* for fifty years.", "liv"},
    {"We saw a *live* show last night.", "laiv"},
    {"The cat has nine *lives*.", "laivz"},
    {"Please *close* your books.", "klEuz"},
    {"The hotel is *close* to the beach.", "klEus"},
    {"We will *use* the new method.", "ju:z"},
    {"The *use* of force is wrong.", "ju:s"},
    {"My father *used* to smoke.", "ju:st"},
    {"A strong *wind* blew the tree down.", "wind"},
    {"He tried to *wind* up the old watch.", "waind"},
    {"The nurse cleaned the *wound*.", "wu:nd"},
    {"The little girl began to *tear* the pages.", "t/E"},
    {"There was a *tear* in his eye.", "tiE"},
    {"He signed a new *contract* with the club.", "5kRntrAkt"},
    {"The Gobi is a cold *desert*.", "5dezEt"},
    {"Bees *produce* honey.", "prE5dju:s"},
    {"We saw a large *increase* in visitors.", "5inkri:s"},
    {"The city plans to *increase* taxes.", "in5kri:s"},
    {"The *content* of the course is useful.", "5kRntent"},
    {"That is a poor *excuse*.", "iks5kju:s"},
    {"Please *excuse* the mess.", "iks5kju:z"},
    {"This *house* has three bedrooms.", "haus"},
    {"They live in *separate* flats.", "5sepErit"},
    {"The teacher had to *separate* the two boys.", "5sepEreit"},
    {"I *read* a newspaper every morning.", "ri:d"},
    {"Has she *read* the email yet?", "red"},
    {"You must *read* the rules first.", "ri:d"},
    {"The city does not *permit* cars in the centre.", "pE5mit"},
    {"The *suspect* ran away.", "5sQspekt"},
    {"The *conflict* between the two countries grew.", "5kRnflikt"},
    {"The bus leaves in one *minute*.", "5minit"},
    {"This is the *perfect* place for a picnic.", "5pE:fikt"},
    {"The *project* will take two years.", "5prRdVekt"},
    {"Thousands joined the *protest*.", "5prEutest"},
    {"History is a difficult *subject*.", "5sQbdVikt"},
    {"The *survey* was sent to every teacher.", "5sE:vei"},
    {"Public *transport* in the city is good.", "5trAnspR:t"},
    {"We want to *export* more fruit.", "iks5pR:t"},
    {"The *estimate* is too high.", "5estimit"},
    {"Please *update* the list.", "Qp5deit"},
    {"She *uses* her phone to pay.", "5ju:ziz"},
    {"Heavy *winds* closed the airport.", "windz"},
    {"They *record* the temperature every hour.", "ri5kR:d"},
    {"He walked *to* an empty seat.", "tu"},
    {"Give the book *to* your sister.", "tu:"},
    {"I need *to* open the window.", "tu"},
    {"Where are you going *to*?", "tu:"},
    {"We have *read* all his novels.", "red"},
    {"He *read* the whole book in one night.", "red"},
    {"Our teacher asked us to *read* aloud.", "ri:d"},
    {"They had never *read* a poem in English.", "red"},
    {"The manager will *present* the plan to the board.", "pri5zent"},
    {"At *present* we have no news.", "5prezEnt"},
    {"This *record* was made in 1965.", "5rekR:d"},
    {"Keep a *record* of what you spend.", "5rekR:d"},
    {"Nobody wanted to *contract* the disease.", "kEn5trAkt"},
    {"His *conduct* was excellent.", "5kRndQkt"},
    {"The *desert* is very hot in summer.", "5dezEt"},
    {"Farmers *produce* more food than before.", "prE5dju:s"},
    {"They offered no *excuse* for the delay.", "iks5kju:s"},
    {"I *object* to paying twice.", "Eb5dVekt"},
    {"Please *separate* the white clothes from the dark ones.", "5sepEreit"},
    {"The *minute* hand of the clock is broken.", "5minit"},
    {"Tickets are not *used* after midnight.", "ju:zd"},
    {"Is this seat in *use*?", "ju:s"},
    {"The old man *lives* alone.", "livz"},
    {"The plane crash cost many *lives*.", "laivz"},
    {"Let us *close* the meeting now.", "klEuz"},
    {"She sat *close* to the fire.", "klEus"},
    {"The *wind* was too strong for the boats.", "wind"},
    {"*Tears* of joy ran down his face.", "tiEz"},
    {"She smiled through her *tears*.", "tiEz"},
    {"Prices may *increase* next month.", "in5kri:s"},
    {"The *increase* in crime worried everyone.", "5inkri:s"},
    {"The *export* of ivory is illegal.", "5ekspR:t"},
    {"We *import* most of our oil.", "im5pR:t"},
    {"Their plans *conflict* with ours.", "kEn5flikt"},
    {"He gave a *perfect* answer.", "5pE:fikt"},
    {"The children will *protest* loudly.", "prE5test"},
    {"The *subject* of the email was blank.", "5sQbdVikt"},
    {"They plan to *survey* the whole coast.", "sE:5vei"},
    {"The *suspect* denied everything.", "5sQspekt"},
    {"I *suspect* you are right.", "sEs5pekt"},
    {"She had a *present* for each child.", "5prezEnt"},
    {"The *refuse* was taken away.", "5refju:s"},
    {"He hopes to *lead* a quiet life.", "li:d"},
    {"She plays *lead* guitar in a band.", "li:d"},
    {"The *house* was empty.", "haus"},
    {"The new hall will *house* the library.", "hauz"},
};
